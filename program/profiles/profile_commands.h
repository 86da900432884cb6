// The profile commands, shared by the main window's profile list and `varnelctl profile`: the
// list of profiles in the profile folder, the current profile, and each command with its checks,
// messages and effects on the files, the settings, the key map images and the keypad.
//
// Commands take the list entry they act on (the window passes its selection, varnelctl the
// entry Find gives; -1 is "nothing selected") and tell the user through ProfileQuestions. Every
// key map transfer goes through keymap_transfer.h under the device lock. One caller at a time:
// only the lock is shared with other threads (Refresh may run on a worker thread of its own).
#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "device_lock.h"
#include "keymap_image.h"
#include "profile_questions.h"
#include "program_settings.h"
#include "varnel/LumoApi.h"

namespace varnel::program {

// The key map images the main window keeps.
struct KeyMapImages {
    KeyMapImage edited = EmptyKeyMap();
    KeyMapImage saved = EmptyKeyMap();   // the edited image as last loaded from or saved to a file
    KeyMapImage device = EmptyKeyMap();  // as last read from or written to the keypad

    bool Changed() const { return edited != saved; }
    void Reset() { edited = saved = device = EmptyKeyMap(); }
};

// The keypad as the commands reach it.
struct ProfileDevice {
    CLumoApi& api;
    DeviceLock& lock;
    bool connected;  // attached and brought up; varnelctl tests presence
};

enum class ProfileOutcome {
    Done,
    Unchanged,     // Rename to the same name
    NotConnected,  // told string 113
    NoSelection,   // told "선택된 프로파일이 없습니다."
    BadName,       // told kTextBadProfileName; nothing changed
    NameTaken,     // told "동일한 프로파일이 있습니다..."; nothing changed
    Missing,       // the profile's file (or the profile folder) is not there: nothing done
    Cancelled,     // the user kept the profile applied before
    NotApplied,    // count above 21: selected, but neither applied nor rewritten
    FileFailed,    // a file could not be read, written, renamed or deleted; told
    DeviceFailed,  // the keypad did not take the whole key map
    Busy,          // Refresh: one is running already
};

struct ProfileResult {
    ProfileResult() = default;
    ProfileResult(ProfileOutcome outcome_, std::optional<int> select_ = std::nullopt,
                  std::u16string name_ = {}, bool refresh_ = false)
        : outcome(outcome_), select(select_), name(std::move(name_)), refresh(refresh_) {}

    ProfileOutcome outcome = ProfileOutcome::Done;
    // The list entry to select afterwards (-1: none); empty when the selection stays.
    std::optional<int> select;
    std::u16string name;   // the profile added, copied, renamed, saved or applied
    bool refresh = false;  // Delete: run Refresh for the entry selected now
};

class ProfileCommands {
  public:
    // `documents` is the folder that holds the data folder "Varnel" (UserDocumentsFolder()).
    ProfileCommands(ProgramSettings& settings, std::filesystem::path documents,
                    KeyMapImages& images, ProfileQuestions& questions, uint16_t language);

    // Start-up: creates the data folder and its MACRO folder, stores the data folder as the
    // profile folder when the stored one is not a folder, fills the list and gives the entry to
    // select: the stored index, or the last entry when none is stored (then stored).
    int Start();

    const std::vector<std::u16string>& Names() const { return m_Names; }
    int Find(const std::u16string& name) const;      // exact comparison; -1 when not listed
    int CurrentIndex() const { return m_nCurrent; }  // the profile last applied or selected
    std::filesystem::path ProfileFolder() const;
    std::filesystem::path DataFolder() const;
    std::filesystem::path FileOf(int index) const;  // empty for no entry

    // Fills the list from the profile folder again.
    void Reload();
    // Open: stores an existing folder as the profile folder and fills the list from it.
    bool ChooseFolder(const std::filesystem::path& folder);
    // Reads profile `index` into `image` (starting from the empty image), without applying it.
    bool Show(int index, KeyMapImage& image) const;
    // For a process that starts without the window's memory (varnelctl): the keypad's map is
    // the edited and the device image, the current profile's file the saved copy.
    void TakeKeypadMap(const KeyMapImage& map);

    // Add: a new "Profile%d" holding the empty key map, appended; the first one is selected.
    ProfileResult Add();
    // Del (connected only): removes the entry and its file, selects its neighbour; the last one
    // leaves the keypad with an empty key map. The caller then runs Refresh.
    ProfileResult Delete(const ProfileDevice& device, int index);
    // Rename: a name another entry has is refused (the window keeps its dialog open).
    ProfileResult Rename(int index, const std::u16string& newName);
    // Copy: "%s_Copy%d", inserted directly above the source.
    ProfileResult Copy(int index);
    // edit: the edited image into profile `index`; tells "%s 에 저장하였습니다.".
    ProfileResult Save(int index);
    // Save: the path to propose (the last export, else Varnel.VPD in the data folder), and the
    // edited image into any file.
    std::filesystem::path ExportProposal() const;
    ProfileResult Export(const std::filesystem::path& file);
    // A profile file from anywhere as a new profile (named after the file when `name` is
    // empty), appended to the list; the selection stays.
    ProfileResult Import(const std::filesystem::path& file, const std::u16string& name = {});
    // Reset: empty images, step 4, and the empty key map written to the keypad. Files untouched.
    ProfileResult Reset(const ProfileDevice& device);
    // Selection change (connected only): asks about unsaved changes, then reads profile `index`,
    // writes it into the keypad and back into its file, and makes it the current profile.
    ProfileResult SelectAndApply(const ProfileDevice& device, int index);
    // Refresh: select-and-apply of `index` without the question; Busy while one runs.
    ProfileResult Refresh(const ProfileDevice& device, int index);
    // DelAll: every profile and its file; the keypad and the images stay.
    ProfileResult DeleteAll();
    // Keypad macro `removed` was deleted: the rule goes over the edited image, the saved copy
    // and every profile file.
    ProfileResult MacroRemoved(int removed);

  private:
    bool InRange(int index) const { return index >= 0 && index < static_cast<int>(m_Names.size()); }
    std::filesystem::path UsableProfileFolder();
    void SetCurrent(int index);
    ProfileResult Tell(ProfileOutcome outcome, const std::u16string& text);
    ProfileResult TellText(ProfileOutcome outcome, uint16_t id, const std::u16string& argument);
    ProfileResult Apply(const ProfileDevice& device, int index);

    ProgramSettings& m_Settings;
    std::filesystem::path m_Documents;
    KeyMapImages& m_Images;
    ProfileQuestions& m_Questions;
    uint16_t m_nLanguage;
    std::vector<std::u16string> m_Names;
    int m_nCurrent = -1;
    std::atomic<bool> m_bRefreshing{false};
};

}  // namespace varnel::program
