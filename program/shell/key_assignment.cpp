#include "key_assignment.h"

#include <algorithm>
#include <stdexcept>

#include "key_assignment_texts.h"
#include "key_label_tables.h"

namespace varnel::program {

namespace {

WorkingEntry EntryWithBit(int keyIndex, OutputBit bit) {
    WorkingEntry entry = WorkingEntryFor(keyIndex);
    SetBit(entry.data(), bit);
    return entry;
}

constexpr std::array<std::pair<int, MediaFunction>, 7> kMediaCommands = {{
    {kMenuWeb, MediaFunction::WebBrowser},
    {kMenuSearch, MediaFunction::Search},
    {kMenuEmail, MediaFunction::Email},
    {kMenuMedia, MediaFunction::MediaPlayer},
    {kMenuVolumeDown, MediaFunction::VolumeDown},
    {kMenuMute, MediaFunction::Mute},
    {kMenuVolumeUp, MediaFunction::VolumeUp},
}};

constexpr std::array<std::pair<int, MouseButton>, 3> kMouseCommands = {{
    {kMenuMouseLeft, MouseButton::Left},
    {kMenuMouseMiddle, MouseButton::Middle},
    {kMenuMouseRight, MouseButton::Right},
}};

}  // namespace

WorkingEntry MouseButtonEntry(int keyIndex, MouseButton button) {
    constexpr OutputBit kBits[] = {kMouseLeftBit, kMouseMiddleBit, kMouseRightBit};
    return EntryWithBit(keyIndex, kBits[static_cast<int>(button)]);
}

WorkingEntry MediaEntry(int keyIndex, MediaFunction function) {
    WorkingEntry entry = EntryWithBit(keyIndex, kMediaMarkerBit);
    SetBit(entry.data(), MediaFunctionBit(function));
    return entry;
}

WorkingEntry CalculatorEntry(int keyIndex) {
    return EntryWithBit(keyIndex, kCalculatorBit);
}

WorkingEntry KeypadMacroEntry(int keyIndex, int macro) {
    if (macro < 0 || macro >= kMostKeypadMacros) throw std::out_of_range("no keypad macro");
    WorkingEntry entry = WorkingEntryFor(keyIndex);
    SetMacroBit(entry.data(), macro);
    return entry;
}

WorkingEntry MacroStopEntry(int keyIndex) {
    WorkingEntry entry = WorkingEntryFor(keyIndex);
    SetMacroBit(entry.data(), kMacroStopBit);
    return entry;
}

WorkingEntry KeyboardEntry(int keyIndex, const std::array<uint8_t, kOutputsSize>& outputs) {
    WorkingEntry entry = WorkingEntryFor(keyIndex);
    std::copy(outputs.begin(), outputs.end(), entry.begin() + kOutputsOffset);
    return entry;
}

WorkingEntry ResetEntry(int keyIndex) {
    return WorkingEntryFor(keyIndex);
}

std::optional<WorkingEntry> MenuCommandEntry(int command, int keyIndex) {
    if (command == kMenuReset) return ResetEntry(keyIndex);
    if (command == kMenuCalculator) return CalculatorEntry(keyIndex);
    if (command == kMenuMacroStop) return MacroStopEntry(keyIndex);
    if (command >= kMenuFirstMacro && command < kMenuFirstMacro + kMostKeypadMacros) {
        return KeypadMacroEntry(keyIndex, command - kMenuFirstMacro);
    }
    for (const auto& [id, function] : kMediaCommands) {
        if (id == command) return MediaEntry(keyIndex, function);
    }
    for (const auto& [id, button] : kMouseCommands) {
        if (id == command) return MouseButtonEntry(keyIndex, button);
    }
    return std::nullopt;
}

bool WorkingEntryDoesNothing(const WorkingEntry& entry) {
    return std::all_of(entry.begin() + kOutputsOffset, entry.end(),
                       [](uint8_t b) { return b == 0; });
}

void ApplyWorkingEntry(KeyMapImage& edited, const WorkingEntry& entry) {
    if (WorkingEntryDoesNothing(entry)) {
        RemoveEntry(edited, entry);
    } else {
        UpsertEntry(edited, entry);
    }
}

bool KeyMapChanged(const KeyMapImage& edited, const KeyMapImage& saved) {
    return edited != saved;
}

std::u16string SaveToProfileQuestion(const std::u16string& profileName, uint16_t language) {
    return KeyAssignmentString(kTextDataChanged, language) + u"\n " + profileName + u" " +
           KeyAssignmentString(kTextSaveToProfile, language);
}

}  // namespace varnel::program
