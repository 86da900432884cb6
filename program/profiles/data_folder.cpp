#include "data_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <system_error>

namespace varnel::program {

std::filesystem::path UserDocumentsFolder() {
    if (const char* documents = std::getenv("XDG_DOCUMENTS_DIR"); documents && *documents) {
        return documents;
    }
    const QString located = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!located.isEmpty()) return located.toStdU16String();
    return (QDir::homePath() + QStringLiteral("/Documents")).toStdU16String();
}

std::filesystem::path DataFolder(const std::filesystem::path& documents) {
    return documents / "Varnel";
}

std::filesystem::path MacroFolder(const std::filesystem::path& documents) {
    return DataFolder(documents) / "MACRO";
}

bool CreateDataFolders(const std::filesystem::path& documents) {
    std::error_code ec;
    std::filesystem::create_directories(MacroFolder(documents), ec);
    return std::filesystem::is_directory(MacroFolder(documents), ec);
}

}  // namespace varnel::program
