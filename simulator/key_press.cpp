#include "key_press.h"

#include <algorithm>

#include "key_map_image.h"
#include "output_bits.h"

namespace varnel::sim {

namespace {

constexpr uint8_t kFirstModifierUsage = 0xE0;

std::optional<AsPrintedReason> ReasonOf(KeyMapCondition condition) {
    switch (condition) {
        case KeyMapCondition::Valid:
            return std::nullopt;
        case KeyMapCondition::NoSignature:
            return AsPrintedReason::NoSignature;
        case KeyMapCondition::BadSignature:
            return AsPrintedReason::BadSignature;
        case KeyMapCondition::TooManyEntries:
            return AsPrintedReason::TooManyEntries;
    }
    return AsPrintedReason::BadSignature;
}

bool IsMediaBit(const OutputBit& bit, bool marker) {
    return marker && bit.bit == 0 && bit.offset >= kFirstMediaOffset &&
           bit.offset <= kLastMediaOffset;
}

// Keyboard keys, modifiers and the other output bits of the entry.
void ApplyOutputs(const KeyMapEntry& entry, KeyPressOutcome& outcome) {
    const bool marker = entry.Output(kMediaMarkerOffset, kMediaMarkerBit);
    std::vector<const OutputBit*> modifiers;
    std::vector<std::string> keys;
    for (const OutputBit& bit : OutputBits()) {
        if (!entry.Output(bit.offset, bit.bit)) continue;
        if (IsMediaBit(bit, marker)) {
            outcome.mediaFunctions.push_back(MediaFunctionName(bit.offset));
            continue;
        }
        switch (bit.role) {
            case OutputRole::Keyboard:
                if (bit.usage >= kFirstModifierUsage) {
                    modifiers.push_back(&bit);
                    outcome.keyboard.modifiers |= 1u << (bit.usage - kFirstModifierUsage);
                } else {
                    keys.push_back(bit.name);
                    outcome.keyboard.usages.push_back(bit.usage);
                }
                break;
            case OutputRole::Mouse:
                outcome.mouseButtons.push_back(bit.name);
                break;
            case OutputRole::Fn:
                outcome.fn = true;
                break;
            case OutputRole::Calculator:
                outcome.calculator = true;
                break;
            case OutputRole::MediaMarker:
                break;
        }
    }
    std::sort(modifiers.begin(), modifiers.end(),
              [](const OutputBit* a, const OutputBit* b) { return a->usage < b->usage; });
    for (const OutputBit* modifier : modifiers) outcome.keyboard.names.push_back(modifier->name);
    outcome.keyboard.names.insert(outcome.keyboard.names.end(), keys.begin(), keys.end());
}

void ApplyMacros(const FlashArea& dataArea, const KeyMapEntry& entry, KeyPressOutcome& outcome) {
    for (uint32_t bit = 0; bit < kMacroStopBit; ++bit) {
        if ((entry.macroBits >> bit & 1) != 0) {
            outcome.macros.push_back({bit, ReadStoredMacro(dataArea, bit)});
        }
    }
    outcome.macroStop = (entry.macroBits >> kMacroStopBit & 1) != 0;
}

}  // namespace

std::vector<std::string> KeyPressOutcome::Kinds() const {
    if (asPrinted) return {"default"};
    std::vector<std::string> kinds;
    if (!keyboard.names.empty()) kinds.push_back("keyboard");
    if (!mouseButtons.empty()) kinds.push_back("mouse");
    if (!mediaFunctions.empty()) kinds.push_back("media");
    if (calculator) kinds.push_back("calculator");
    if (fn) kinds.push_back("fn");
    if (!macros.empty()) kinds.push_back("macro");
    if (macroStop) kinds.push_back("macro-stop");
    if (kinds.empty()) kinds.push_back("nothing");
    return kinds;
}

KeyPressOutcome PressKey(const FlashArea& dataArea, int keyIndex) {
    const KeyMapImage image = ReadKeyMapImage(dataArea);
    KeyPressOutcome outcome;
    outcome.keyIndex = keyIndex;
    outcome.entryCount = image.count;
    outcome.asPrinted = ReasonOf(image.condition);
    if (outcome.asPrinted) return outcome;
    const std::optional<size_t> slot = EntryForKey(image, keyIndex);
    if (!slot) {
        outcome.asPrinted = AsPrintedReason::NoEntry;
        return outcome;
    }
    outcome.entrySlot = *slot;
    ApplyOutputs(image.entries[*slot], outcome);
    ApplyMacros(dataArea, image.entries[*slot], outcome);
    return outcome;
}

}  // namespace varnel::sim
