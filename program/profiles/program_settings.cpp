#include "program_settings.h"

namespace varnel::program {

namespace {

const QString kCompany = QStringLiteral("VARNELKEYPAD");
const QString kProfileFolderKey = QStringLiteral("Path/VarnelProfile");
const QString kLastExportKey = QStringLiteral("Path/VarnelData");
const QString kProfileIndexKey = QStringLiteral("Profile/Index");
const QString kMacroFileKey = QStringLiteral("Path/Macro");
const QString kExecuteFileKey = QStringLiteral("VARNELKEYPAD/ExecuteFile");

}  // namespace

ProgramSettings::ProgramSettings() : m_Settings(std::make_unique<QSettings>(kCompany, kCompany)) {}

ProgramSettings::ProgramSettings(const std::filesystem::path& iniFile)
    : m_Settings(std::make_unique<QSettings>(QString::fromStdU16String(iniFile.u16string()),
                                             QSettings::IniFormat)) {}

ProgramSettings::~ProgramSettings() = default;

std::filesystem::path ProgramSettings::PathValue(const QString& key) const {
    return m_Settings->value(key).toString().toStdU16String();
}

void ProgramSettings::SetPathValue(const QString& key, const std::filesystem::path& value) {
    m_Settings->setValue(key, QString::fromStdU16String(value.u16string()));
}

std::filesystem::path ProgramSettings::ProfileFolder() const {
    return PathValue(kProfileFolderKey);
}

void ProgramSettings::SetProfileFolder(const std::filesystem::path& folder) {
    SetPathValue(kProfileFolderKey, folder);
}

std::filesystem::path ProgramSettings::LastExport() const {
    return PathValue(kLastExportKey);
}

void ProgramSettings::SetLastExport(const std::filesystem::path& file) {
    SetPathValue(kLastExportKey, file);
}

int ProgramSettings::ProfileIndex() const {
    bool ok = false;
    const int index = m_Settings->value(kProfileIndexKey, -1).toInt(&ok);
    return ok ? index : -1;
}

void ProgramSettings::SetProfileIndex(int index) {
    m_Settings->setValue(kProfileIndexKey, index);
}

std::filesystem::path ProgramSettings::MacroFile() const {
    return PathValue(kMacroFileKey);
}

void ProgramSettings::SetMacroFile(const std::filesystem::path& file) {
    SetPathValue(kMacroFileKey, file);
}

std::filesystem::path ProgramSettings::ExecuteFile() const {
    return PathValue(kExecuteFileKey);
}

void ProgramSettings::SetExecuteFile(const std::filesystem::path& file) {
    SetPathValue(kExecuteFileKey, file);
}

bool ProgramSettings::Sync() {
    m_Settings->sync();
    return m_Settings->status() == QSettings::NoError;
}

}  // namespace varnel::program
