// The keypad's key map: a 497-byte image ("REPROGRAM01", the NumLock sync byte, the entry count
// and 21 entry slots of 23 bytes) that the keypad keeps at 0x1F000 of its data area and that a
// profile file begins with. An entry names one keypad key by its trigger bit and what the key
// produces instead: output bits (keyboard keys, modifiers, mouse buttons, FN, media functions,
// the calculator) and macro bits (device macro 0 to 22, bit 23 stops the running macro).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace varnel::program {

inline constexpr size_t kKeyMapSize = 497;
inline constexpr size_t kKeyMapHeaderSize = 12;  // signature and NumLock sync byte
inline constexpr size_t kEntriesOffset = 14;
inline constexpr size_t kEntrySize = 23;
inline constexpr int kMaxEntries = 21;
inline constexpr int kKeypadKeys = 21;
inline constexpr uint32_t kKeyMapAddress = 0x1F000;
inline constexpr char kKeyMapSignature[] = "REPROGRAM01";  // 11 bytes, no terminator
inline constexpr size_t kSignatureSize = 11;
inline constexpr size_t kNumLockSyncOffset = 11;
inline constexpr uint8_t kNumLockSyncOn = 2;
inline constexpr uint8_t kNumLockSyncOff = 3;

// Offsets within an entry.
inline constexpr size_t kTriggerSize = 3;
inline constexpr size_t kOutputsOffset = 3;  // 16 output bytes
inline constexpr size_t kOutputsSize = 16;
inline constexpr size_t kMacrosOffset = 19;  // 3 macro bytes
inline constexpr int kMacroStopBit = 23;
inline constexpr int kMostKeypadMacros = 23;
inline constexpr size_t kWorkingEntrySize = 22;  // offsets 0 to 21: the reserved byte is kept

using KeyMapImage = std::array<uint8_t, kKeyMapSize>;
using WorkingEntry = std::array<uint8_t, kWorkingEntrySize>;

// One output bit: entry offset 3 to 18 and bit 0 to 7.
struct OutputBit {
    uint8_t offset;
    uint8_t bit;
};
inline constexpr OutputBit kFnBit{3, 1};
inline constexpr OutputBit kMouseLeftBit{3, 2};
inline constexpr OutputBit kMouseMiddleBit{3, 3};
inline constexpr OutputBit kMouseRightBit{3, 4};
inline constexpr OutputBit kCalculatorBit{4, 1};
inline constexpr OutputBit kMediaMarkerBit{14, 6};
// With the media marker, bit 0 of offsets 5 to 12 selects one media function in this order.
enum class MediaFunction {
    WebBrowser,
    Search,
    Email,
    Desktop,
    MediaPlayer,
    VolumeDown,
    Mute,
    VolumeUp
};
inline constexpr int kMediaFunctions = 8;
inline constexpr uint8_t kFirstMediaOffset = 5;

// A new, empty image: signature, NumLock sync off, no entries.
KeyMapImage EmptyKeyMap();
// The signature matches and the entry count is at most 21.
bool IsValidKeyMap(const KeyMapImage& image);
void PutSignature(KeyMapImage& image);

int EntryCount(const KeyMapImage& image);
uint8_t* EntryAt(KeyMapImage& image, int slot);
const uint8_t* EntryAt(const KeyMapImage& image, int slot);

// The trigger bytes of keypad key 0 to 20 (F1, F2, F3, F4, NumLock, /, *, -, +, ENTER, 1 to 9,
// 0, DEL), and a working entry for the key with nothing assigned yet.
std::array<uint8_t, kTriggerSize> TriggerOf(int keyIndex);
WorkingEntry WorkingEntryFor(int keyIndex);
// The first key whose trigger equals the entry's; none when no key matches.
std::optional<int> KeyOfEntry(const uint8_t* entry);

bool HasBit(const uint8_t* entry, OutputBit bit);
void SetBit(uint8_t* entry, OutputBit bit);
bool HasMacroBit(const uint8_t* entry, int macro);  // 0 to 23
void SetMacroBit(uint8_t* entry, int macro);

// Overwrites the first entry with the working entry's trigger, or appends it.
void UpsertEntry(KeyMapImage& image, const WorkingEntry& entry);
// Takes out the first entry with the working entry's trigger; later entries move down.
void RemoveEntry(KeyMapImage& image, const WorkingEntry& entry);

// The entry slot that decides each key: entries apply in order, and one whose trigger is no key
// or a key already decided is ignored. -1 for a key without an entry. Empty for an invalid map.
std::array<int, kKeypadKeys> AppliedEntries(const KeyMapImage& image);
// Takes out the entries that interpretation ignores (later entries move down, freed slots are
// zero, the count follows). True when any went. An invalid map is left as it is.
bool DropIgnoredEntries(KeyMapImage& image);

// Keypad macro `removed` was deleted and the later ones moved up: references to it go, later
// macro numbers move down by one, and an entry that ran it and is left with nothing to do is
// removed. Outputs and the macro stop bit of an entry stay as they were.
void RemoveMacroFromKeyMap(KeyMapImage& image, int removed);

// NumLock sync switches between on (2) and off (3); any other value becomes on.
void SwitchNumLockSync(KeyMapImage& image);
bool NumLockSyncOn(const KeyMapImage& image);

}  // namespace varnel::program
