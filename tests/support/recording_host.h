// A platform host for tests: records message boxes and raw-input registrations, answers
// questions as told, and reports a chosen language.
#pragma once

#include <string>
#include <vector>

#include "varnel/LumoApi.h"

namespace varnel::testing {

class RecordingHost final : public CLumoHost {
  public:
    RecordingHost();
    ~RecordingHost() override;

    int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                       uint32_t type) override;
    int RegisterRawInputDevices(const LumoRawInputDevice* devices, uint32_t count) override;
    uint16_t GetUserDefaultLanguage() override { return language; }
    LumoScreenSize GetVirtualScreenSize() override { return screen; }
    uint32_t GetAnsiCodePage() override { return codePage; }

    // Message texts in UTF-8, in the order shown.
    std::vector<std::string> messages;
    std::vector<LumoRawInputDevice> registrations;
    int answer = kLumoIdNo;
    int rawInputError = 0;
    uint16_t language = 0x0409;
    LumoScreenSize screen{2560, 1440};
    uint32_t codePage = 1252;
};

}  // namespace varnel::testing
