// A platform host and an owner window for fuzz targets: nothing reaches the terminal or the
// desktop, the code page is chosen by the target, and questions are answered from a pattern the
// input supplies, so every run of an input asks and answers the same.
#pragma once

#include <cstdint>
#include <string>

#include "varnel/LumoApi.h"

namespace varnel::fuzz {

// Installed for its lifetime; message boxes are counted and answered No.
class FuzzHost final : public CLumoHost {
  public:
    FuzzHost();
    ~FuzzHost() override;

    int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                       uint32_t type) override;
    int RegisterRawInputDevices(const LumoRawInputDevice* devices, uint32_t count) override;
    uint16_t GetUserDefaultLanguage() override { return 0x0409; }
    LumoScreenSize GetVirtualScreenSize() override { return {1920, 1080}; }
    uint32_t GetAnsiCodePage() override { return codePage; }

    uint32_t codePage = 1252;
    int messages = 0;
};

// Answers the n-th question Yes when bit n % 8 of `answers` is set, else No.
class AnswerWindow final : public CLumoWindow {
  public:
    explicit AnswerWindow(uint8_t answers) : m_Answers(answers) {}

    intptr_t SendWindowMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                       uint32_t type) override;

    int Asked() const { return m_nAsked; }

  private:
    uint8_t m_Answers;
    int m_nAsked = 0;
};

}  // namespace varnel::fuzz
