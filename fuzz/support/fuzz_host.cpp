#include "fuzz_host.h"

namespace varnel::fuzz {

FuzzHost::FuzzHost() {
    SetLumoHost(this);
}

FuzzHost::~FuzzHost() {
    SetLumoHost(nullptr);
}

int FuzzHost::ShowMessageBox(const std::u16string&, const std::u16string&, uint32_t) {
    ++messages;
    return kLumoIdNo;
}

int FuzzHost::RegisterRawInputDevices(const LumoRawInputDevice*, uint32_t) {
    return 0;
}

intptr_t AnswerWindow::SendWindowMessage(uint32_t, uintptr_t, intptr_t) {
    return 0;
}

int AnswerWindow::ShowMessageBox(const std::u16string&, const std::u16string&, uint32_t) {
    const bool yes = (m_Answers >> (m_nAsked++ % 8)) & 1;
    return yes ? kLumoIdYes : kLumoIdNo;
}

}  // namespace varnel::fuzz
