#include "keymap_image.h"

#include <algorithm>
#include <cstring>

namespace varnel::program {

namespace {

constexpr size_t kCountOffset = 12;

// Byte and bit of each key's trigger, in key order.
constexpr std::array<std::pair<uint8_t, uint8_t>, kKeypadKeys> kTriggers = {{
    {0, 0}, {1, 0}, {2, 0}, {0, 7}, {0, 1}, {1, 1}, {2, 1}, {1, 6}, {0, 6}, {2, 5}, {0, 4},
    {1, 4}, {2, 4}, {0, 3}, {1, 3}, {2, 3}, {0, 2}, {1, 2}, {2, 2}, {0, 5}, {1, 5},
}};

void SetEntryCount(KeyMapImage& image, int count) {
    image[kCountOffset] = static_cast<uint8_t>(count);
    image[kCountOffset + 1] = static_cast<uint8_t>(count >> 8);
}

bool SameTrigger(const uint8_t* a, const uint8_t* b) {
    return std::memcmp(a, b, kTriggerSize) == 0;
}

// The usable entries: the count, but never more slots than the image has.
int UsableCount(const KeyMapImage& image) {
    return std::min(EntryCount(image), kMaxEntries);
}

void RemoveSlot(KeyMapImage& image, int slot) {
    const int count = UsableCount(image);
    for (int i = slot; i + 1 < count; ++i)
        std::memcpy(EntryAt(image, i), EntryAt(image, i + 1), kEntrySize);
    std::memset(EntryAt(image, count - 1), 0, kEntrySize);
    SetEntryCount(image, count - 1);
}

bool EntryDoesNothing(const uint8_t* entry) {
    return std::all_of(entry + kOutputsOffset, entry + kWorkingEntrySize,
                       [](uint8_t b) { return b == 0; });
}

}  // namespace

KeyMapImage EmptyKeyMap() {
    KeyMapImage image{};
    PutSignature(image);
    image[kNumLockSyncOffset] = kNumLockSyncOff;
    return image;
}

bool IsValidKeyMap(const KeyMapImage& image) {
    return std::memcmp(image.data(), kKeyMapSignature, kSignatureSize) == 0 &&
           EntryCount(image) <= kMaxEntries;
}

void PutSignature(KeyMapImage& image) {
    std::memcpy(image.data(), kKeyMapSignature, kSignatureSize);
}

int EntryCount(const KeyMapImage& image) {
    return image[kCountOffset] | image[kCountOffset + 1] << 8;
}

uint8_t* EntryAt(KeyMapImage& image, int slot) {
    return image.data() + kEntriesOffset + static_cast<size_t>(slot) * kEntrySize;
}

const uint8_t* EntryAt(const KeyMapImage& image, int slot) {
    return image.data() + kEntriesOffset + static_cast<size_t>(slot) * kEntrySize;
}

std::array<uint8_t, kTriggerSize> TriggerOf(int keyIndex) {
    std::array<uint8_t, kTriggerSize> trigger{};
    const auto [byte, bit] = kTriggers.at(static_cast<size_t>(keyIndex));
    trigger[byte] = static_cast<uint8_t>(1u << bit);
    return trigger;
}

WorkingEntry WorkingEntryFor(int keyIndex) {
    WorkingEntry entry{};
    const auto trigger = TriggerOf(keyIndex);
    std::copy(trigger.begin(), trigger.end(), entry.begin());
    return entry;
}

std::optional<int> KeyOfEntry(const uint8_t* entry) {
    for (int key = 0; key < kKeypadKeys; ++key) {
        if (SameTrigger(entry, TriggerOf(key).data())) return key;
    }
    return std::nullopt;
}

bool HasBit(const uint8_t* entry, OutputBit bit) {
    return (entry[bit.offset] >> bit.bit) & 1;
}

void SetBit(uint8_t* entry, OutputBit bit) {
    entry[bit.offset] |= static_cast<uint8_t>(1u << bit.bit);
}

bool HasMacroBit(const uint8_t* entry, int macro) {
    return (entry[kMacrosOffset + macro / 8] >> (macro % 8)) & 1;
}

void SetMacroBit(uint8_t* entry, int macro) {
    entry[kMacrosOffset + macro / 8] |= static_cast<uint8_t>(1u << (macro % 8));
}

void UpsertEntry(KeyMapImage& image, const WorkingEntry& entry) {
    const int count = UsableCount(image);
    for (int slot = 0; slot < count; ++slot) {
        if (SameTrigger(EntryAt(image, slot), entry.data())) {
            std::memcpy(EntryAt(image, slot), entry.data(), kWorkingEntrySize);
            return;
        }
    }
    if (count >= kMaxEntries) return;  // every key has an entry already: nothing is lost
    std::memcpy(EntryAt(image, count), entry.data(), kWorkingEntrySize);
    SetEntryCount(image, count + 1);
}

void RemoveEntry(KeyMapImage& image, const WorkingEntry& entry) {
    const int count = UsableCount(image);
    for (int slot = 0; slot < count; ++slot) {
        if (SameTrigger(EntryAt(image, slot), entry.data())) return RemoveSlot(image, slot);
    }
}

std::array<int, kKeypadKeys> AppliedEntries(const KeyMapImage& image) {
    std::array<int, kKeypadKeys> applied;
    applied.fill(-1);
    if (!IsValidKeyMap(image)) return applied;
    for (int slot = 0; slot < EntryCount(image); ++slot) {
        const std::optional<int> key = KeyOfEntry(EntryAt(image, slot));
        if (key && applied[*key] < 0) applied[*key] = slot;
    }
    return applied;
}

bool DropIgnoredEntries(KeyMapImage& image) {
    if (!IsValidKeyMap(image)) return false;
    const std::array<int, kKeypadKeys> applied = AppliedEntries(image);
    bool dropped = false;
    for (int slot = EntryCount(image) - 1; slot >= 0; --slot) {
        if (std::find(applied.begin(), applied.end(), slot) != applied.end()) continue;
        RemoveSlot(image, slot);
        dropped = true;
    }
    return dropped;
}

void RemoveMacroFromKeyMap(KeyMapImage& image, int removed) {
    for (int slot = UsableCount(image) - 1; slot >= 0; --slot) {
        uint8_t* entry = EntryAt(image, slot);
        bool renumbered[kMostKeypadMacros] = {};
        for (int macro = 0; macro < kMostKeypadMacros; ++macro) {
            if (HasMacroBit(entry, macro) && macro != removed) {
                renumbered[macro > removed ? macro - 1 : macro] = true;
            }
        }
        const bool stops = HasMacroBit(entry, kMacroStopBit);
        const bool ranRemoved =
            removed >= 0 && removed < kMostKeypadMacros && HasMacroBit(entry, removed);
        std::memset(entry + kMacrosOffset, 0, 3);
        for (int macro = 0; macro < kMostKeypadMacros; ++macro) {
            if (renumbered[macro]) SetMacroBit(entry, macro);
        }
        if (stops) SetMacroBit(entry, kMacroStopBit);
        if (ranRemoved && EntryDoesNothing(entry)) RemoveSlot(image, slot);
    }
}

void SwitchNumLockSync(KeyMapImage& image) {
    image[kNumLockSyncOffset] =
        image[kNumLockSyncOffset] == kNumLockSyncOn ? kNumLockSyncOff : kNumLockSyncOn;
}

bool NumLockSyncOn(const KeyMapImage& image) {
    return image[kNumLockSyncOffset] == kNumLockSyncOn;
}

}  // namespace varnel::program
