// The macro settings: one record of named 32-bit values per process, kept in the settings store
// under the key path the program names. A value missing from the store reads as its default; a
// store that cannot be read gives 0 for every value.
#pragma once

#include <cstdint>
#include <string>

namespace varnel {

enum class MacroSetting {
    MacroOptions,
    RecOptions,
    EditOptions,
    HangulKeyboard,
    GameWidth,
    GameHeight,
    WindowSX,
    WindowSY,
    DebugSX,
    DebugSY,
    StatusSX,
    StatusSY,
    EventDelay,
    KeyMacroRun,
    KeyMacroRecord,
    KeyMousePosCapture,
    KeyMacroColorStart,
    KeyMacroColorStop,
    RecMouseDistance,
    RecEventTimeInterval,
    DelayTime,
    SequenceStart,
    MacroSel,
};
inline constexpr int kMacroSettingCount = static_cast<int>(MacroSetting::MacroSel) + 1;

const char* MacroSettingName(MacroSetting setting);
// Its default; GameWidth and GameHeight default to the host's virtual screen.
uint32_t MacroSettingDefault(MacroSetting setting);

uint32_t GetMacroSetting(MacroSetting setting);
void SetMacroSetting(MacroSetting setting, uint32_t value);
// Bits of "RecOptions", each read and written alone.
uint32_t GetRecordOptionBit(int bit);
void SetRecordOptionBit(int bit, uint32_t flag);

// Names the key path and reads every value again.
void SetMacroSettingsKey(const std::string& keyPath);
void LoadMacroSettings();
void SaveMacroSettings();

}  // namespace varnel
