// Encoding of an editor macro into the keypad's form (a device macro): the rules both encoders
// follow, with the few places where the library's own encoder differs from the program's.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "varnel/LumoApi.h"

namespace varnel {

struct MacroEncoderRules {
    uint32_t minimumDelay;     // an emitted cell waits at least this long
    bool releaseCode8000;      // a key release is 0x8000 (an 8-byte cell) instead of 0x8001
    bool leadingDelayMoves;    // a delay before any cell emits 0x5000 instead of code 0
    bool addsFollowingDelays;  // a delay after a delay adds to the last cell's delay
    bool repeatFromFlags;      // the repeat word's endless and while-held flags count
};

// The macro manager's encoder.
inline constexpr MacroEncoderRules kProgramEncoderRules{10, false, true, true, true};
// The library's own encoder (PutDeviceMacro).
inline constexpr MacroEncoderRules kLibraryEncoderRules{3, true, false, false, false};

struct MacroEncoderContext {
    // HID usage of a key code (0 when the key has none).
    std::function<uint8_t(uint16_t keyCode)> usageOf;
    // The screen an absolute position spans.
    uint32_t gameWidth = 0;
    uint32_t gameHeight = 0;
    // The name's bytes in the ANSI code page (cut to 20 bytes by the encoder).
    uint32_t codePage = 1252;
};

DeviceMacro EncodeMacro(const EditorMacro& macro, const MacroEncoderRules& rules,
                        const MacroEncoderContext& context);

// The 20-byte name field: the name in the code page, zero-filled, cut at a character boundary
// when longer (a double-byte character that does not fit is left out whole).
void FillDeviceName(char (&field)[20], std::u16string_view name, uint32_t codePage);

// Repeat of the header from the repeat word (option 9): -1 endless, -2 while held, else
// count - 1 (a count of 0 also gives -1).
int16_t RepeatOf(uint32_t repeatWord, bool fromFlags);

// Bytes a cell takes in the keypad's macro area: 8 for mouse button steps without a position
// and for 0x8000, else 12.
uint32_t StoredCellSize(uint16_t code);

}  // namespace varnel
