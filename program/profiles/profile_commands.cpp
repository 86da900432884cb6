#include "profile_commands.h"

#include <algorithm>
#include <mutex>
#include <system_error>

#include "data_folder.h"
#include "key_assignment.h"
#include "keymap_transfer.h"
#include "profile_files.h"
#include "profile_macro_rule.h"
#include "profile_names.h"
#include "profile_texts.h"

namespace varnel::program {

namespace {

constexpr uint8_t kCodeStep = 9;
constexpr uint8_t kResetStep = 3;  // STEP4

std::u16string FileText(const std::filesystem::path& file) {
    return file.u16string();
}

bool IsFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_directory(folder, ec);
}

}  // namespace

ProfileCommands::ProfileCommands(ProgramSettings& settings, std::filesystem::path documents,
                                 KeyMapImages& images, ProfileQuestions& questions,
                                 uint16_t language)
    : m_Settings(settings),
      m_Documents(std::move(documents)),
      m_Images(images),
      m_Questions(questions),
      m_nLanguage(language) {}

int ProfileCommands::Start() {
    CreateDataFolders(m_Documents);
    UsableProfileFolder();
    Reload();
    m_nCurrent = m_Settings.ProfileIndex();
    if (m_nCurrent == -1) {
        m_nCurrent = static_cast<int>(m_Names.size()) - 1;
        m_Settings.SetProfileIndex(m_nCurrent);
    }
    return InRange(m_nCurrent) ? m_nCurrent : -1;
}

int ProfileCommands::Find(const std::u16string& name) const {
    const auto found = std::find(m_Names.begin(), m_Names.end(), name);
    return found == m_Names.end() ? -1 : static_cast<int>(found - m_Names.begin());
}

std::filesystem::path ProfileCommands::ProfileFolder() const {
    return m_Settings.ProfileFolder();
}

std::filesystem::path ProfileCommands::DataFolder() const {
    return program::DataFolder(m_Documents);
}

std::filesystem::path ProfileCommands::FileOf(int index) const {
    if (!InRange(index) || ProfileFolder().empty()) return {};
    return ProfileFile(ProfileFolder(), m_Names[index]);
}

// The stored profile folder, or the data folder (then stored) when that is not a folder.
std::filesystem::path ProfileCommands::UsableProfileFolder() {
    std::filesystem::path folder = ProfileFolder();
    if (IsFolder(folder)) return folder;
    folder = DataFolder();
    m_Settings.SetProfileFolder(folder);
    return folder;
}

void ProfileCommands::SetCurrent(int index) {
    m_nCurrent = index;
    m_Settings.SetProfileIndex(index);
}

ProfileResult ProfileCommands::Tell(ProfileOutcome outcome, const std::u16string& text) {
    m_Questions.Tell(text);
    return {outcome};
}

ProfileResult ProfileCommands::TellText(ProfileOutcome outcome, uint16_t id,
                                        const std::u16string& argument) {
    return Tell(outcome, ProfileString(id, m_nLanguage, argument));
}

void ProfileCommands::Reload() {
    m_Names = ListProfiles(ProfileFolder());
}

bool ProfileCommands::ChooseFolder(const std::filesystem::path& folder) {
    if (!IsFolder(folder)) return false;
    m_Settings.SetProfileFolder(folder);
    Reload();
    return true;
}

bool ProfileCommands::Show(int index, KeyMapImage& image) const {
    image = EmptyKeyMap();
    return ReadProfile(FileOf(index), image);
}

void ProfileCommands::TakeKeypadMap(const KeyMapImage& map) {
    m_Images.edited = m_Images.device = map;
    m_Images.saved = map;
    KeyMapImage current = EmptyKeyMap();
    if (ReadProfile(FileOf(m_nCurrent), current)) m_Images.saved = current;
}

ProfileResult ProfileCommands::Add() {
    const std::filesystem::path folder = UsableProfileFolder();
    const std::u16string name = NewProfileName(m_Names);
    const std::filesystem::path file = ProfileFile(folder, name);
    // The file comes first: a profile the folder does not hold would vanish at the next reload.
    if (!WriteProfile(file, EmptyKeyMap())) {
        return TellText(ProfileOutcome::FileFailed, kTextProfileNotWritten, FileText(file));
    }
    m_Names.push_back(name);
    ProfileResult result{ProfileOutcome::Done, std::nullopt, name};
    if (m_Names.size() == 1) {
        SetCurrent(0);
        result.select = 0;
    }
    return result;
}

ProfileResult ProfileCommands::Delete(const ProfileDevice& device, int index) {
    if (!device.connected)
        return TellText(ProfileOutcome::NotConnected, kTextNoSupportedDevice, {});
    if (!InRange(index)) return Tell(ProfileOutcome::NoSelection, kTextNoProfileSelected);
    const std::filesystem::path file = FileOf(index);
    ProfileResult result{ProfileOutcome::Done, std::nullopt, m_Names[index], true};
    m_Names.erase(m_Names.begin() + index);
    const int count = static_cast<int>(m_Names.size());
    result.select = index < count ? index : count - 1;
    SetCurrent(*result.select);
    if (m_Names.empty()) {
        m_Images.Reset();
        if (!WriteKeyMapFull(device.api, device.lock, m_Images.edited, m_Images.device)) {
            result.outcome = ProfileOutcome::DeviceFailed;
        }
    }
    if (ProfileFileExists(file)) {
        std::error_code ec;
        if (!std::filesystem::remove(file, ec)) {
            m_Questions.Tell(ProfileString(kTextProfileNotDeleted, m_nLanguage, FileText(file)));
            result.outcome = ProfileOutcome::FileFailed;
        }
    }
    return result;
}

ProfileResult ProfileCommands::Rename(int index, const std::u16string& newName) {
    if (!InRange(index)) return Tell(ProfileOutcome::NoSelection, kTextNoProfileSelected);
    const std::u16string oldName = m_Names[index];
    if (newName == oldName) return {ProfileOutcome::Unchanged, std::nullopt, oldName};
    std::vector<std::u16string> others = m_Names;
    others.erase(others.begin() + index);
    if (std::find(others.begin(), others.end(), newName) != others.end()) {
        return Tell(ProfileOutcome::NameTaken, kTextSameProfileExists);
    }
    if (!IsUsableProfileName(newName)) {
        return TellText(ProfileOutcome::BadName, kTextBadProfileName, newName);
    }
    const std::filesystem::path folder = ProfileFolder();
    const std::filesystem::path from = FileOf(index);
    if (folder.empty() || !ProfileFileExists(from)) return {ProfileOutcome::Missing};
    // A rename in place: the old file stays until the new one is there, so nothing is lost.
    const std::filesystem::path to = folder / (newName + kProfileExtension);
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (ec) return TellText(ProfileOutcome::FileFailed, kTextProfileNotRenamed, FileText(from));
    Reload();
    int select = Find(newName);
    if (select < 0) select = static_cast<int>(m_Names.size()) - 1;
    SetCurrent(select);
    return {ProfileOutcome::Done, select, newName};
}

ProfileResult ProfileCommands::Copy(int index) {
    if (!InRange(index)) return Tell(ProfileOutcome::NoSelection, kTextNoProfileSelected);
    const std::filesystem::path folder = ProfileFolder();
    KeyMapImage image = EmptyKeyMap();
    if (folder.empty() || !ReadProfile(FileOf(index), image)) return {ProfileOutcome::Missing};
    const std::u16string name = CopyProfileName(m_Names, m_Names[index]);
    const std::filesystem::path file = ProfileFile(folder, name);
    if (!WriteProfile(file, image)) {
        return TellText(ProfileOutcome::FileFailed, kTextProfileNotWritten, FileText(file));
    }
    m_Names.insert(m_Names.begin() + index, name);
    // The entries from the source on moved down by one; the current profile moves with them,
    // so that its unsaved changes are never saved into the copy.
    if (m_nCurrent >= index) SetCurrent(m_nCurrent + 1);
    return {ProfileOutcome::Done, std::nullopt, name};
}

ProfileResult ProfileCommands::Save(int index) {
    if (!InRange(index)) return Tell(ProfileOutcome::NoSelection, kTextNoProfileSelected);
    const std::u16string name = m_Names[index];
    const std::filesystem::path file = FileOf(index);
    if (!WriteProfile(file, m_Images.edited)) {
        return TellText(ProfileOutcome::FileFailed, kTextProfileNotWritten, FileText(file));
    }
    m_Images.saved = m_Images.edited;
    m_Questions.Tell(SavedToProfileText(name));
    return {ProfileOutcome::Done, std::nullopt, name};
}

std::filesystem::path ProfileCommands::ExportProposal() const {
    const std::filesystem::path last = m_Settings.LastExport();
    if (!last.empty()) return last;
    return DataFolder() / kExportDefaultName;
}

ProfileResult ProfileCommands::Export(const std::filesystem::path& file) {
    if (!WriteProfile(file, m_Images.edited)) {
        return TellText(ProfileOutcome::FileFailed, kTextProfileNotWritten, FileText(file));
    }
    m_Images.saved = m_Images.edited;
    m_Settings.SetLastExport(std::filesystem::absolute(file));
    return {};
}

ProfileResult ProfileCommands::Import(const std::filesystem::path& file,
                                      const std::u16string& name) {
    std::u16string profile = name;
    if (profile.empty()) {
        const std::u16string fileName = file.filename().u16string();
        profile = fileName.substr(0, fileName.rfind(u'.'));
    }
    if (!IsUsableProfileName(profile)) {
        return TellText(ProfileOutcome::BadName, kTextBadProfileName, profile);
    }
    if (Find(profile) >= 0) return Tell(ProfileOutcome::NameTaken, kTextSameProfileExists);
    KeyMapImage image = EmptyKeyMap();
    if (!ReadProfile(file, image)) {
        return TellText(ProfileOutcome::FileFailed, kTextProfileNotRead, FileText(file));
    }
    const std::filesystem::path target = ProfileFile(UsableProfileFolder(), profile);
    if (!WriteProfile(target, image)) {
        return TellText(ProfileOutcome::FileFailed, kTextProfileNotWritten, FileText(target));
    }
    m_Names.push_back(profile);
    return {ProfileOutcome::Done, std::nullopt, profile};
}

ProfileResult ProfileCommands::Reset(const ProfileDevice& device) {
    m_Images.Reset();
    device.api.SendDeviceCommand2(kCodeStep, kResetStep);
    if (!WriteKeyMapFull(device.api, device.lock, m_Images.edited, m_Images.device)) {
        return {ProfileOutcome::DeviceFailed};
    }
    return {};
}

ProfileResult ProfileCommands::SelectAndApply(const ProfileDevice& device, int index) {
    if (!device.connected)
        return TellText(ProfileOutcome::NotConnected, kTextNoSupportedDevice, {});
    m_Settings.SetProfileIndex(index);
    if (!InRange(index)) return {ProfileOutcome::NoSelection, -1};
    if (m_Images.Changed() && InRange(m_nCurrent)) {
        const std::u16string previous = m_Names[m_nCurrent];
        const SaveAnswer answer =
            m_Questions.AskSaveChanges(SaveToProfileQuestion(previous, m_nLanguage));
        // Saving must succeed before the changes are replaced by the other profile.
        if (answer == SaveAnswer::Yes && Save(m_nCurrent).outcome != ProfileOutcome::Done) {
            m_Settings.SetProfileIndex(m_nCurrent);
            return {ProfileOutcome::FileFailed, m_nCurrent};
        }
        if (answer == SaveAnswer::Cancel) {
            m_Settings.SetProfileIndex(m_nCurrent);
            return {ProfileOutcome::Cancelled, m_nCurrent, previous};
        }
    }
    return Apply(device, index);
}

// Reads the profile, writes it into the keypad and back into its file, under the device lock.
ProfileResult ProfileCommands::Apply(const ProfileDevice& device, int index) {
    std::lock_guard hold(device.lock);
    const std::u16string name = m_Names[index];
    KeyMapImage image = EmptyKeyMap();
    if (!IsFolder(ProfileFolder()) || !ReadProfile(FileOf(index), image)) {
        return {ProfileOutcome::Missing, std::nullopt, name};
    }
    ProfileResult result{ProfileOutcome::Done, std::nullopt, name};
    if (EntryCount(image) > kMaxEntries) {
        m_Images.edited = EmptyKeyMap();
        result.outcome = ProfileOutcome::NotApplied;
    } else {
        m_Images.edited = image;
        if (!WriteKeyMapDirect(device.api, m_Images.edited, m_Images.device)) {
            result.outcome = ProfileOutcome::DeviceFailed;
        }
        if (!WriteProfile(FileOf(index), m_Images.edited)) {
            m_Questions.Tell(
                ProfileString(kTextProfileNotWritten, m_nLanguage, FileText(FileOf(index))));
            if (result.outcome == ProfileOutcome::Done) result.outcome = ProfileOutcome::FileFailed;
        }
    }
    m_Images.saved = m_Images.edited;
    SetCurrent(index);
    return result;
}

ProfileResult ProfileCommands::Refresh(const ProfileDevice& device, int index) {
    if (m_bRefreshing.exchange(true)) return {ProfileOutcome::Busy};
    m_Images.edited.fill(0);
    m_Images.saved.fill(0);
    ProfileResult result;
    {
        std::lock_guard hold(device.lock);
        result = SelectAndApply(device, index);
    }
    m_bRefreshing = false;
    return result;
}

ProfileResult ProfileCommands::DeleteAll() {
    ProfileResult result{ProfileOutcome::Done, -1};
    while (!m_Names.empty()) {
        const std::filesystem::path file = FileOf(0);
        m_Names.erase(m_Names.begin());
        std::error_code ec;
        if (ProfileFileExists(file) && !std::filesystem::remove(file, ec)) {
            m_Questions.Tell(ProfileString(kTextProfileNotDeleted, m_nLanguage, FileText(file)));
            result.outcome = ProfileOutcome::FileFailed;
        }
    }
    SetCurrent(-1);
    return result;
}

ProfileResult ProfileCommands::MacroRemoved(int removed) {
    RemoveMacroFromKeyMap(m_Images.edited, removed);
    RemoveMacroFromKeyMap(m_Images.saved, removed);
    ProfileResult result;
    for (const std::u16string& name : RemoveMacroFromProfiles(ProfileFolder(), m_Names, removed)) {
        m_Questions.Tell(ProfileString(kTextProfileNotWritten, m_nLanguage,
                                       FileText(ProfileFile(ProfileFolder(), name))));
        result.outcome = ProfileOutcome::FileFailed;
    }
    return result;
}

}  // namespace varnel::program
