#include "key_label.h"

#include "key_label_tables.h"
#include "keypad_macro_view.h"

namespace varnel::program {

namespace {

void Append(std::u16string& label, std::u16string_view piece) {
    if (!label.empty()) label += u'+';
    label += piece;
}

std::u16string MediaLabel(const uint8_t* entry) {
    std::u16string label;
    for (int function = 0; function < kMediaFunctions; ++function) {
        const auto media = static_cast<MediaFunction>(function);
        if (HasBit(entry, MediaFunctionBit(media))) Append(label, MediaShortName(media));
    }
    return label;
}

}  // namespace

KeypadMacroNames ReadKeypadMacroNames(CLumoApi& api) {
    KeypadMacroNames macros;
    macros.areaEmpty = api.GetDeviceImageSize() == 0;
    const int count = api.GetDeviceMacroCount();
    for (int index = 0; index < count; ++index) {
        macros.names.push_back(KeypadMacroName(api, index));
    }
    return macros;
}

std::u16string ComposeKeyLabel(const uint8_t* entry, const KeypadMacroNames& macros) {
    if (HasBit(entry, kMediaMarkerBit)) return MediaLabel(entry);

    std::u16string label;
    for (const uint8_t nameIndex : KeyNameJoinOrder()) {
        if (HasBit(entry, OutputBitOfKeyName(nameIndex))) Append(label, KeyNameOf(nameIndex));
    }
    for (int macro = 0; macro < kMostKeypadMacros; ++macro) {
        if (!HasMacroBit(entry, macro)) continue;
        // A bit past the end of the keypad's list names no macro: it shows as a blank, as all
        // macro bits do while the macro area is empty.
        const bool named = !macros.areaEmpty && static_cast<size_t>(macro) < macros.names.size();
        Append(label, named ? std::u16string_view(macros.names[static_cast<size_t>(macro)])
                            : std::u16string_view(u" "));
    }
    if (HasMacroBit(entry, kMacroStopBit)) return std::u16string(kMacroStopLabel);
    return label;
}

std::u16string ComposeKeyLabel(CLumoApi& api, const WorkingEntry& entry) {
    return ComposeKeyLabel(entry.data(), ReadKeypadMacroNames(api));
}

}  // namespace varnel::program
