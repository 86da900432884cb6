#include "profile_macro_rule.h"

#include "keymap_image.h"
#include "profile_files.h"

namespace varnel::program {

std::vector<std::u16string> RemoveMacroFromProfiles(const std::filesystem::path& folder,
                                                    const std::vector<std::u16string>& names,
                                                    int removed) {
    std::vector<std::u16string> failed;
    for (const std::u16string& name : names) {
        const std::filesystem::path file = ProfileFile(folder, name);
        KeyMapImage image = EmptyKeyMap();
        if (!ReadProfile(file, image) || EntryCount(image) > kMaxEntries) continue;
        RemoveMacroFromKeyMap(image, removed);
        if (!WriteProfile(file, image)) failed.push_back(name);
    }
    return failed;
}

}  // namespace varnel::program
