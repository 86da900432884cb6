#include "macro_settings.h"

#include <array>
#include <mutex>

#include "host.h"
#include "settings_store.h"

namespace varnel {

namespace {

struct SettingInfo {
    const char* name;
    uint32_t defaultValue;
};

constexpr uint32_t kScreenDefault = 0;  // stands for the host's virtual screen size

constexpr std::array<SettingInfo, kMacroSettingCount> kSettings = {{
    {"MacroOptions", 136},
    {"RecOptions", 0xB7},
    {"EditOptions", 0},
    {"HangulKeyboard", 0},
    {"GameWidth", kScreenDefault},
    {"GameHeight", kScreenDefault},
    {"WindowSX", 100},
    {"WindowSY", 100},
    {"DebugSX", 200},
    {"DebugSY", 200},
    {"StatusSX", 300},
    {"StatusSY", 300},
    {"EventDelay", 33},
    {"KeyMacroRun", 123},
    {"KeyMacroRecord", 122},      // F11
    {"KeyMousePosCapture", 121},  // F10
    {"KeyMacroColorStart", 120},
    {"KeyMacroColorStop", 119},
    {"RecMouseDistance", 10},
    {"RecEventTimeInterval", 20},
    {"DelayTime", 33},
    {"SequenceStart", 1000},
    {"MacroSel", 0},
}};

struct SettingsState {
    std::string keyPath;
    std::array<uint32_t, kMacroSettingCount> values{};
    // Whether this process named the key, read or changed a value: only then does unloading the
    // library write the settings back.
    bool touched = false;

    SettingsState() {
        for (int i = 0; i < kMacroSettingCount; ++i) {
            values[i] = MacroSettingDefault(static_cast<MacroSetting>(i));
        }
    }
    ~SettingsState() {
        if (touched) Save();
    }

    void Load() {
        touched = true;
        const SettingsKeyRead read = ReadSettingsKey(keyPath);
        for (int i = 0; i < kMacroSettingCount; ++i) {
            const auto setting = static_cast<MacroSetting>(i);
            if (read.status == SettingsKeyRead::Status::Unreadable) {
                values[i] = 0;
                continue;
            }
            const auto found = read.values.find(kSettings[i].name);
            values[i] = found != read.values.end() ? found->second : MacroSettingDefault(setting);
        }
    }

    void Save() const {
        SettingsValues out;
        for (int i = 0; i < kMacroSettingCount; ++i) out[kSettings[i].name] = values[i];
        WriteSettingsKey(keyPath, out);
    }
};

SettingsState& State() {
    static SettingsState state;
    return state;
}

size_t Index(MacroSetting setting) {
    return static_cast<size_t>(setting);
}

}  // namespace

const char* MacroSettingName(MacroSetting setting) {
    return kSettings[Index(setting)].name;
}

uint32_t MacroSettingDefault(MacroSetting setting) {
    if (setting == MacroSetting::GameWidth || setting == MacroSetting::GameHeight) {
        const LumoScreenSize screen = Host().GetVirtualScreenSize();
        const int size = setting == MacroSetting::GameWidth ? screen.width : screen.height;
        return size > 0 ? static_cast<uint32_t>(size) : 0;
    }
    return kSettings[Index(setting)].defaultValue;
}

uint32_t GetMacroSetting(MacroSetting setting) {
    return State().values[Index(setting)];
}

void SetMacroSetting(MacroSetting setting, uint32_t value) {
    SettingsState& state = State();
    state.touched = true;
    state.values[Index(setting)] = value;
}

uint32_t GetRecordOptionBit(int bit) {
    return (GetMacroSetting(MacroSetting::RecOptions) >> bit) & 1;
}

void SetRecordOptionBit(int bit, uint32_t flag) {
    uint32_t options = GetMacroSetting(MacroSetting::RecOptions);
    options = (flag & 1) ? options | (1u << bit) : options & ~(1u << bit);
    SetMacroSetting(MacroSetting::RecOptions, options);
}

void SetMacroSettingsKey(const std::string& keyPath) {
    State().keyPath = keyPath;
    State().Load();
}

void LoadMacroSettings() {
    State().Load();
}

void SaveMacroSettings() {
    State().touched = true;
    State().Save();
}

}  // namespace varnel
