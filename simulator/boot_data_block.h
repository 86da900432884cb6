// The 4096-byte data block at 0x1F000 of the data area, as the boot loader shows it to the host:
// the host reads the keypad's application identity from it while the keypad runs its boot
// loader. Keypads keep the identity in one of two places, each as u16 product identifier
// followed by u16 vendor identifier, little-endian:
//   head  offsets 0 and 2
//   tail  offsets 2044 and 2046
// or not at all (none). The head form shares its first bytes with the key map, which also
// starts at 0x1F000, so rewriting the key map overwrites it; the tail form lies past the key map.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "flash_area.h"
#include "hid_interfaces.h"

namespace varnel::sim {

inline constexpr uint32_t kBootDataBlockAddress = 0x1F000;
inline constexpr uint32_t kBootDataBlockSize = 4096;

enum class BootDataLayout { Head, Tail, None };

// "head", "tail" or "none".
std::optional<BootDataLayout> ParseBootDataLayout(std::string_view text);
const char* BootDataLayoutName(BootDataLayout layout);

// Programs the identity into the block of a data area, as the keypad's maker does once.
void PutBootDataIdentity(FlashArea& dataArea, UsbIdentity identity, BootDataLayout layout);
// Where the block holds `identity` (head first), or None.
BootDataLayout FindBootDataIdentity(const FlashArea& dataArea, UsbIdentity identity);

}  // namespace varnel::sim
