#include "state_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iterator>

#include "crc32.h"
#include "keypad_commands.h"

namespace varnel::sim {

namespace {

constexpr char kMagic[8] = {'V', 'A', 'R', 'N', 'E', 'L', 'K', 'P'};
constexpr uint32_t kFormatVersion = 1;
constexpr size_t kHeaderSize = sizeof kMagic + 4 + 4;
constexpr size_t kChecksumSize = 4;

struct StoredArea {
    uint8_t number;
    FlashArea PersistentState::*area;
    size_t size;
};
constexpr StoredArea kAreas[] = {
    {command::kAreaBootLoader, &PersistentState::bootLoaderFlash, kBootLoaderFlashSize},
    {command::kAreaApplication, &PersistentState::applicationFlash, kApplicationFlashSize},
    {command::kAreaData, &PersistentState::dataArea, kDataAreaSize},
};

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Sequential reader over the file's bytes; every read fails once the bytes run out.
class Reader {
  public:
    explicit Reader(std::span<const uint8_t> bytes) : m_Bytes(bytes) {}
    bool Take(size_t count, std::span<const uint8_t>& out) {
        if (m_Bytes.size() - m_nPosition < count) return false;
        out = m_Bytes.subspan(m_nPosition, count);
        m_nPosition += count;
        return true;
    }
    bool U8(uint8_t& value) {
        std::span<const uint8_t> b;
        if (!Take(1, b)) return false;
        value = b[0];
        return true;
    }
    bool U32(uint32_t& value) {
        std::span<const uint8_t> b;
        if (!Take(4, b)) return false;
        value = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
        return true;
    }
    bool AtEnd() const { return m_nPosition == m_Bytes.size(); }

  private:
    std::span<const uint8_t> m_Bytes;
    size_t m_nPosition = 0;
};

std::optional<PersistentState> Damaged(std::string& error, const char* why) {
    error = why;
    return std::nullopt;
}

std::string SystemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// Makes a rename durable: sync the directory that holds the file.
void SyncDirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::vector<uint8_t> EncodeState(const PersistentState& state) {
    std::vector<uint8_t> body = {static_cast<uint8_t>(state.mode),
                                 state.step,
                                 state.firmware.major,
                                 state.firmware.minor,
                                 state.firmware.patch,
                                 0,
                                 0,
                                 0};
    PutU32(body, static_cast<uint32_t>(std::size(kAreas)));
    for (const StoredArea& stored : kAreas) {
        const FlashArea& area = state.*stored.area;
        body.insert(body.end(), {stored.number, 0, 0, 0});
        PutU32(body, static_cast<uint32_t>(area.Size()));
        body.insert(body.end(), area.Bytes().begin(), area.Bytes().end());
    }
    std::vector<uint8_t> out(std::begin(kMagic), std::end(kMagic));
    PutU32(out, kFormatVersion);
    PutU32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    PutU32(out, Crc32(out));
    return out;
}

std::optional<PersistentState> DecodeState(std::span<const uint8_t> bytes, std::string& error) {
    if (bytes.size() < kHeaderSize + kChecksumSize ||
        std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return Damaged(error, "not a keypad simulator state file");
    }
    const auto checked = bytes.first(bytes.size() - kChecksumSize);
    Reader trailer(bytes.last(kChecksumSize));
    uint32_t storedChecksum = 0;
    trailer.U32(storedChecksum);
    if (Crc32(checked) != storedChecksum) return Damaged(error, "checksum mismatch");

    Reader reader(checked.subspan(sizeof kMagic));
    uint32_t version = 0;
    uint32_t bodyLength = 0;
    reader.U32(version);
    reader.U32(bodyLength);
    if (version != kFormatVersion) return Damaged(error, "unsupported format version");
    if (bodyLength != checked.size() - kHeaderSize) return Damaged(error, "wrong body length");

    PersistentState state;
    uint8_t mode = 0;
    std::span<const uint8_t> reserved;
    uint32_t areaCount = 0;
    if (!reader.U8(mode) || !reader.U8(state.step) || !reader.U8(state.firmware.major) ||
        !reader.U8(state.firmware.minor) || !reader.U8(state.firmware.patch) ||
        !reader.Take(3, reserved) || !reader.U32(areaCount)) {
        return Damaged(error, "truncated header");
    }
    if (mode > static_cast<uint8_t>(KeypadMode::BootLoader)) return Damaged(error, "bad mode");
    state.mode = static_cast<KeypadMode>(mode);
    if (state.step >= kStepCount) return Damaged(error, "bad step");
    if (areaCount != std::size(kAreas)) return Damaged(error, "wrong number of flash areas");
    for (const StoredArea& stored : kAreas) {
        uint8_t number = 0;
        uint32_t size = 0;
        std::span<const uint8_t> contents;
        if (!reader.U8(number) || !reader.Take(3, reserved) || !reader.U32(size)) {
            return Damaged(error, "truncated flash area");
        }
        if (number != stored.number || size != stored.size) {
            return Damaged(error, "unexpected flash area layout");
        }
        if (!reader.Take(size, contents)) return Damaged(error, "truncated flash area");
        state.*stored.area = FlashArea(std::vector<uint8_t>(contents.begin(), contents.end()));
    }
    if (!reader.AtEnd()) return Damaged(error, "trailing bytes");
    return state;
}

StateFileLoad LoadStateFile(const std::string& path) {
    StateFileLoad result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            result.status = StateFileLoad::Status::Missing;
        } else {
            result.error = SystemError("cannot open state file", path);
        }
        return result;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, chunk, sizeof chunk)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    if (n < 0) result.error = SystemError("cannot read state file", path);
    ::close(fd);
    if (n < 0) return result;
    std::string why;
    result.state = DecodeState(bytes, why);
    if (!result.state) {
        result.error = "state file " + path + " is damaged (" + why + ")";
        return result;
    }
    result.status = StateFileLoad::Status::Loaded;
    return result;
}

bool SaveStateFile(const std::string& path, const PersistentState& state, std::string& error) {
    const std::vector<uint8_t> bytes = EncodeState(state);
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = SystemError("cannot create", temporary);
        return false;
    }
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        written += static_cast<size_t>(n);
    }
    const bool complete = written == bytes.size() && ::fsync(fd) == 0;
    if (!complete) error = SystemError("cannot write", temporary);
    ::close(fd);
    if (!complete) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = SystemError("cannot rename " + temporary + " to", path);
        ::unlink(temporary.c_str());
        return false;
    }
    SyncDirectoryOf(path);
    return true;
}

}  // namespace varnel::sim
