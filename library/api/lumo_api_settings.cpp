// The macro settings as operations of the object.
#include "lumo_api_library.h"
#include "macro_settings.h"
#include "text_encoding.h"

namespace varnel {

namespace {

using S = MacroSetting;

}  // namespace

void CLumoAPILibrary::SetSettingsKey(const char16_t* keyPath) {
    SetMacroSettingsKey(keyPath ? Utf16ToUtf8(keyPath) : std::string());
}

uint32_t CLumoAPILibrary::GetGameWidth() {
    return GetMacroSetting(S::GameWidth);
}
uint32_t CLumoAPILibrary::GetGameHeight() {
    return GetMacroSetting(S::GameHeight);
}
uint32_t CLumoAPILibrary::GetPositionCaptureKey() {
    return GetMacroSetting(S::KeyMousePosCapture);
}
uint32_t CLumoAPILibrary::GetRecordKey() {
    return GetMacroSetting(S::KeyMacroRecord);
}
uint32_t CLumoAPILibrary::GetRecordOption0() {
    return GetRecordOptionBit(0);
}
uint32_t CLumoAPILibrary::GetRecordOption1() {
    return GetRecordOptionBit(1);
}
uint32_t CLumoAPILibrary::GetRecordOption2() {
    return GetRecordOptionBit(2);
}
uint32_t CLumoAPILibrary::GetRecordOption3() {
    return GetRecordOptionBit(3);
}
uint32_t CLumoAPILibrary::GetRecordOption4() {
    return GetRecordOptionBit(4);
}
uint32_t CLumoAPILibrary::GetRecordOption7() {
    return GetRecordOptionBit(7);
}
uint32_t CLumoAPILibrary::GetRecordOption8() {
    return GetRecordOptionBit(8);
}
uint32_t CLumoAPILibrary::GetRecordMouseDistance() {
    return GetMacroSetting(S::RecMouseDistance);
}
uint32_t CLumoAPILibrary::GetRecordEventInterval() {
    return GetMacroSetting(S::RecEventTimeInterval);
}
uint32_t CLumoAPILibrary::GetDefaultDelay() {
    return GetMacroSetting(S::DelayTime);
}

void CLumoAPILibrary::LoadSettings() {
    LoadMacroSettings();
}

void CLumoAPILibrary::SetGameWidth(uint32_t value) {
    SetMacroSetting(S::GameWidth, value);
}
void CLumoAPILibrary::SetGameHeight(uint32_t value) {
    SetMacroSetting(S::GameHeight, value);
}
void CLumoAPILibrary::SetPositionCaptureKey(uint32_t value) {
    SetMacroSetting(S::KeyMousePosCapture, value);
}
void CLumoAPILibrary::SetRecordKey(uint32_t value) {
    SetMacroSetting(S::KeyMacroRecord, value);
}
void CLumoAPILibrary::SetRecordOption0(uint32_t flag) {
    SetRecordOptionBit(0, flag);
}
void CLumoAPILibrary::SetRecordOption1(uint32_t flag) {
    SetRecordOptionBit(1, flag);
}
void CLumoAPILibrary::SetRecordOption2(uint32_t flag) {
    SetRecordOptionBit(2, flag);
}
void CLumoAPILibrary::SetRecordOption3(uint32_t flag) {
    SetRecordOptionBit(3, flag);
}
void CLumoAPILibrary::SetRecordOption4(uint32_t flag) {
    SetRecordOptionBit(4, flag);
}
void CLumoAPILibrary::SetRecordOption7(uint32_t flag) {
    SetRecordOptionBit(7, flag);
}
void CLumoAPILibrary::SetRecordOption8(uint32_t flag) {
    SetRecordOptionBit(8, flag);
}
void CLumoAPILibrary::SetRecordMouseDistance(uint32_t value) {
    SetMacroSetting(S::RecMouseDistance, value);
}
void CLumoAPILibrary::SetRecordEventInterval(uint32_t value) {
    SetMacroSetting(S::RecEventTimeInterval, value);
}
void CLumoAPILibrary::SetDefaultDelay(uint32_t value) {
    SetMacroSetting(S::DelayTime, value);
}

void CLumoAPILibrary::SaveSettings() {
    SaveMacroSettings();
}

}  // namespace varnel
