#include "key_map_image.h"

#include <algorithm>
#include <cstring>

#include "keypad_keys.h"

namespace varnel::sim {

namespace {

constexpr char kSignature[] = "REPROGRAM01";
constexpr size_t kSignatureSize = sizeof kSignature - 1;
constexpr size_t kMacroBitsOffset = 19;

KeyMapEntry DecodeEntry(const uint8_t* bytes) {
    KeyMapEntry entry;
    std::copy_n(bytes, entry.trigger.size(), entry.trigger.begin());
    std::copy_n(bytes + kFirstOutputOffset, entry.outputs.size(), entry.outputs.begin());
    const uint8_t* macros = bytes + kMacroBitsOffset;
    entry.macroBits = macros[0] | macros[1] << 8 | static_cast<uint32_t>(macros[2]) << 16;
    return entry;
}

KeyMapCondition SignatureCondition(const uint8_t* bytes) {
    if (std::memcmp(bytes, kSignature, kSignatureSize) == 0) return KeyMapCondition::Valid;
    const bool erased =
        std::all_of(bytes, bytes + kSignatureSize, [](uint8_t b) { return b == 0xFF; });
    return erased ? KeyMapCondition::NoSignature : KeyMapCondition::BadSignature;
}

}  // namespace

KeyMapImage ReadKeyMapImage(const FlashArea& dataArea) {
    std::array<uint8_t, kKeyMapSize> bytes{};
    dataArea.Read(kKeyMapAddress, bytes);
    KeyMapImage image;
    image.numLockSync = bytes[kSignatureSize];
    image.count = static_cast<uint16_t>(bytes[12] | bytes[13] << 8);
    image.condition = SignatureCondition(bytes.data());
    if (image.condition != KeyMapCondition::Valid) return image;
    if (image.count > kKeyMapSlots) {
        image.condition = KeyMapCondition::TooManyEntries;
        return image;
    }
    for (size_t slot = 0; slot < image.count; ++slot) {
        image.entries.push_back(
            DecodeEntry(bytes.data() + kKeyMapHeaderSize + slot * kKeyMapEntrySize));
    }
    return image;
}

std::optional<size_t> EntryForKey(const KeyMapImage& image, int keyIndex) {
    // A trigger is matched as a whole, so an entry with no bit or several bits set never names
    // a key; the first entry with the key's trigger handles it and later ones are ignored.
    const std::array<uint8_t, 3> trigger = KeypadKeyTrigger(keyIndex);
    for (size_t slot = 0; slot < image.entries.size(); ++slot) {
        if (image.entries[slot].trigger == trigger) return slot;
    }
    return std::nullopt;
}

}  // namespace varnel::sim
