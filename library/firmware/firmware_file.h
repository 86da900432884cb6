// The firmware update file: a 512-byte header naming the keypad it is meant for (product tag,
// product and vendor identifier), then the application image in scrambled form.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace varnel {

inline constexpr uint32_t kFirmwareHeaderSize = 512;
inline constexpr uint32_t kFirmwareIdEnd = 20;             // tag (16) + product id + vendor id
inline constexpr uint32_t kMaxApplicationImage = 0x1F000;  // 126976 bytes of application flash
inline constexpr uint32_t kScrambleBlockSize = 512;
inline constexpr char kFirmwareProductTag[] = "LUMOBOARD_LMOUSE";  // 16 bytes, no terminator

struct FirmwareFileId {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

// The identity a file is meant for; none for a file too short to carry one.
std::optional<FirmwareFileId> ReadFirmwareFileId(std::span<const uint8_t> file);

// The first 20 bytes carry the product tag and the given identity.
bool FirmwareHeaderMatches(const uint8_t* header, FirmwareFileId keypad);

// Descrambles (or scrambles: the operation is its own inverse) one block of the image in
// place; `offset` is the block's position in the image, a multiple of 512.
uint32_t DescrambleBlock(uint32_t offset, uint8_t* data, uint32_t length);

// The whole image, block by block.
void DescrambleImage(std::span<uint8_t> image);

// Why a file cannot be programmed into a keypad, or nothing when it can.
enum class FirmwareFileProblem { None, TooShort, TooLarge, WrongKeypad };
FirmwareFileProblem CheckFirmwareFile(std::span<const uint8_t> file, FirmwareFileId keypad);

// The descrambled application image of a file that passes CheckFirmwareFile.
std::vector<uint8_t> ExtractApplicationImage(std::span<const uint8_t> file);

// An update file for `image`: the header for `id`, then the image scrambled.
std::vector<uint8_t> PackFirmwareFile(std::span<const uint8_t> image, FirmwareFileId id);

}  // namespace varnel
