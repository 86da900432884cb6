#include "profile_files.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <system_error>

#include "profile_names.h"

namespace varnel::program {

namespace {

constexpr size_t kExtensionLength = std::char_traits<char16_t>::length(kProfileExtension);

QString QtPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

bool HasProfileExtension(const std::u16string& fileName) {
    if (fileName.size() < kExtensionLength) return false;
    const QString extension =
        QString::fromStdU16String(fileName.substr(fileName.size() - kExtensionLength));
    return extension.compare(QString::fromUtf16(kProfileExtension), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::vector<std::u16string> ListProfiles(const std::filesystem::path& folder) {
    std::vector<std::u16string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code statusError;
        if (it->is_directory(statusError)) continue;
        const std::u16string fileName = it->path().filename().u16string();
        if (!HasProfileExtension(fileName)) continue;
        std::u16string name = fileName.substr(0, fileName.size() - kExtensionLength);
        if (IsUsableProfileName(name)) names.push_back(std::move(name));
    }
    return names;
}

std::filesystem::path ProfileFile(const std::filesystem::path& folder, const std::u16string& name) {
    if (!IsUsableProfileName(name)) return {};
    const std::u16string fileName = name + kProfileExtension;
    std::filesystem::path exact = folder / fileName;
    std::error_code ec;
    if (std::filesystem::exists(exact, ec)) return exact;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::u16string candidate = it->path().filename().u16string();
        if (candidate.size() == fileName.size() && candidate.starts_with(name) &&
            HasProfileExtension(candidate)) {
            return it->path();
        }
    }
    return exact;
}

bool ProfileFileExists(const std::filesystem::path& file) {
    if (file.empty()) return false;
    QFile probe(QtPath(file));
    return probe.open(QIODevice::ReadOnly);
}

bool ReadProfile(const std::filesystem::path& file, KeyMapImage& image) {
    if (file.empty()) return false;
    QFile in(QtPath(file));
    if (!in.open(QIODevice::ReadOnly)) return false;
    const qint64 got = in.read(reinterpret_cast<char*>(image.data()), kKeyMapSize);
    return got >= 0;
}

bool WriteProfile(const std::filesystem::path& file, const KeyMapImage& image) {
    if (file.empty()) return false;
    KeyMapImage signedImage = image;
    PutSignature(signedImage);
    std::array<char, kProfileFileSize> bytes{};
    std::copy(signedImage.begin(), signedImage.end(), bytes.begin());
    QSaveFile out(QtPath(file));
    if (!out.open(QIODevice::WriteOnly)) return false;
    if (out.write(bytes.data(), bytes.size()) != static_cast<qint64>(bytes.size())) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

}  // namespace varnel::program
