// Whether a firmware update file may be programmed into the attached keypad. The file names the
// keypad it is meant for; the keypad is asked who it is: in its boot loader through the data
// block, which holds the application identity, otherwise by the presence of that identity.
// Damaged and oversized files are refused here, before the keypad is touched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "varnel/LumoApi.h"

namespace varnel::program {

inline constexpr uint32_t kFirmwareHeaderSize = 512;
inline constexpr uint32_t kMaxFirmwareImage = 0x1F000;  // the application flash, 126976 bytes

enum class FirmwareFileVerdict {
    Fits,
    Unreadable,       // the file cannot be read
    NotAnUpdateFile,  // shorter than its header, or without the product tag
    TooLarge,         // an image larger than the application flash
    OtherKeypad,      // meant for another keypad than the one attached
};

struct FirmwareFileCheck {
    FirmwareFileVerdict verdict = FirmwareFileVerdict::Unreadable;
    std::string error;  // the system's reason when the file cannot be read
    uint32_t fileSize = 0;
    uint32_t imageSize = 0;
    uint16_t vendorId = 0;  // the keypad the file is meant for
    uint16_t productId = 0;
    bool keypadInBootLoader = false;
};

// The product tag that starts every update file.
inline constexpr char kFirmwareProductTag[] = "LUMOBOARD_LMOUSE";

// Checks the file's header and size, then whether the attached keypad is the one it names.
FirmwareFileCheck CheckFirmwareFileFits(CLumoApi& api, const std::string& path);

// The same for file bytes already read.
FirmwareFileCheck CheckFirmwareBytesFit(CLumoApi& api, const std::vector<uint8_t>& file);

// The data block names the keypad as product, then vendor identifier, at its head or at the
// end of its first half.
bool BootDataNames(const uint8_t* block, uint16_t vendorId, uint16_t productId);

}  // namespace varnel::program
