// The object's own operations: identities, progress receiver, presence, raw input, language.
#include "lumo_api_library.h"

#include <cstdio>

#include "host.h"
#include "macro_settings.h"
#include "user_language.h"

namespace varnel {

namespace {

constexpr uint16_t kUsagePageGenericDesktop = 0x01;
constexpr uint16_t kUsageMouse = 0x02;
constexpr uint16_t kUsageKeyboard = 0x06;

void ShowRawInputError(const char* format, int error) {
    char text[80];
    std::snprintf(text, sizeof text, format, error);
    ShowLibraryMessage(Utf8ToUtf16(text), kLumoMbOk | kLumoMbIconError);
}

}  // namespace

// The screen an absolute mouse position spans, as the macro settings hold it now.
CLumoAPILibrary::CLumoAPILibrary()
    : m_wGameWidth(static_cast<uint16_t>(GetMacroSetting(MacroSetting::GameWidth))),
      m_wGameHeight(static_cast<uint16_t>(GetMacroSetting(MacroSetting::GameHeight))) {}

CLumoAPILibrary::~CLumoAPILibrary() {
    m_Cmd.Close();
}

int CLumoAPILibrary::Reserved1(uint32_t /*first*/, uint32_t /*second*/) {
    return 0;
}

void CLumoAPILibrary::SetDeviceId(uint16_t vendorId, uint16_t productId) {
    m_usDevVID = vendorId;
    m_usDevPID = productId;
}

void CLumoAPILibrary::SetProgressWindow(CLumoMessageReceiver* window) {
    m_pProgressWindow = window;
}

void CLumoAPILibrary::SetEditMacro(EditorMacro* macro) {
    m_pEditMacro = macro;
}

// Only discovery runs, on a connection of its own: no report is exchanged, so a keypad that is
// busy with another exchange still counts as present.
bool CLumoAPILibrary::IsDevicePresent(const uint16_t* identity) {
    if (!identity) return false;
    CHidIO probe;
    const bool present = probe.Open(identity[0], identity[1]);
    probe.Close();
    return present;
}

void CLumoAPILibrary::RegisterRawInput(CLumoWindow* window) {
    const LumoRawInputDevice devices[] = {
        {kUsagePageGenericDesktop, kUsageKeyboard, kLumoRawInputSink, window},
        {kUsagePageGenericDesktop, kUsageMouse, kLumoRawInputSink, window},
    };
    if (const int error = Host().RegisterRawInputDevices(devices, 2)) {
        ShowRawInputError("RegisterRawInputDevices Error %d", error);
    }
}

// Removes the keyboard registration only; the mouse stays registered.
void CLumoAPILibrary::UnregisterRawInput() {
    const LumoRawInputDevice keyboard{kUsagePageGenericDesktop, kUsageKeyboard, kLumoRawInputRemove,
                                      nullptr};
    if (const int error = Host().RegisterRawInputDevices(&keyboard, 1)) {
        ShowRawInputError("RegisterRawInputDevices RIDEV_REMOVE Error %d", error);
    }
}

uint16_t CLumoAPILibrary::GetUiLanguage() {
    return UiLanguageFor(Host().GetUserDefaultLanguage());
}

}  // namespace varnel
