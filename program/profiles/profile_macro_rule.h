// After a keypad macro is deleted, the key maps kept in profile files follow it: references to
// the macro go and later macro numbers move down by one, as in the edited key map.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace varnel::program {

// Applies RemoveMacroFromKeyMap to every listed profile's file and writes it back. Files that
// cannot be opened are passed over; a file whose count is above 21 is left as it is. Returns the
// names of the files that could not be written back.
std::vector<std::u16string> RemoveMacroFromProfiles(const std::filesystem::path& folder,
                                                    const std::vector<std::u16string>& names,
                                                    int removed);

}  // namespace varnel::program
