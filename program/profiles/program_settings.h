// The program's own settings, kept through QSettings under organisation and application
// "VARNELKEYPAD", so that the program and varnelctl read and write the same values: the profile
// folder, the last exported file, the selected profile, the macro file, and where the program's
// executable is.
#pragma once

#include <QSettings>
#include <filesystem>
#include <memory>

namespace varnel::program {

class ProgramSettings {
  public:
    // The user's settings (on Linux $XDG_CONFIG_HOME/VARNELKEYPAD/VARNELKEYPAD.conf).
    ProgramSettings();
    // Settings kept in the given INI file instead (tests, or a scripted run).
    explicit ProgramSettings(const std::filesystem::path& iniFile);
    ~ProgramSettings();
    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;

    // Path/VarnelProfile: the profile folder.
    std::filesystem::path ProfileFolder() const;
    void SetProfileFolder(const std::filesystem::path& folder);
    // Path/VarnelData: the file last exported to.
    std::filesystem::path LastExport() const;
    void SetLastExport(const std::filesystem::path& file);
    // Profile/Index: the selected profile, -1 for none.
    int ProfileIndex() const;
    void SetProfileIndex(int index);
    // Path/Macro: the current macro file.
    std::filesystem::path MacroFile() const;
    void SetMacroFile(const std::filesystem::path& file);
    // VARNELKEYPAD/ExecuteFile: the running program's executable, for outside tools.
    std::filesystem::path ExecuteFile() const;
    void SetExecuteFile(const std::filesystem::path& file);

    // Writes pending changes to their store; false when the store cannot be written.
    bool Sync();

  private:
    std::filesystem::path PathValue(const QString& key) const;
    void SetPathValue(const QString& key, const std::filesystem::path& value);

    std::unique_ptr<QSettings> m_Settings;
};

}  // namespace varnel::program
