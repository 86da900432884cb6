// Operations whose subsystems are not built yet. Each does nothing and returns its neutral
// value (false, 0, -1 for a search, an empty text) until its subsystem replaces it.
#include "lumo_api_library.h"

namespace varnel {

uint32_t CLumoAPILibrary::DecodeBlock(uint32_t /*offset*/, uint8_t* /*data*/, uint32_t /*length*/) {
    return 0;
}

int CLumoAPILibrary::WriteLdrom() {
    return 0;
}

bool CLumoAPILibrary::EraseLdrom() {
    return false;
}

int CLumoAPILibrary::EraseAprom() {
    return 0;
}

int CLumoAPILibrary::EraseApromSize(uint32_t /*size*/) {
    return 0;
}

int CLumoAPILibrary::EraseApromRange(uint32_t /*start*/, uint32_t /*end*/) {
    return 0;
}

bool CLumoAPILibrary::UpdateLdrom() {
    return false;
}

int CLumoAPILibrary::WriteLdromData(uint32_t /*address*/, uint32_t /*length*/,
                                    const uint8_t* /*data*/) {
    return 0;
}

bool CLumoAPILibrary::CheckFirmwareHeader(const uint8_t* /*header*/) {
    return false;
}

bool CLumoAPILibrary::DecFirmware(const uint8_t* /*file*/, uint32_t /*size*/) {
    return false;
}

void CLumoAPILibrary::LoadFirmwareFile(const char16_t* /*path*/) {}

int CLumoAPILibrary::GetFirmwareFileId(const uint8_t* /*file*/, uint16_t* /*ids*/) {
    return 0;
}

bool CLumoAPILibrary::ReadBootDataBlock(uint8_t* /*block*/) {
    return false;
}

int CLumoAPILibrary::LdromBootHold() {
    return 0;
}

bool CLumoAPILibrary::VerifyLdrom() {
    return false;
}

void CLumoAPILibrary::LoadLdromResource(const char16_t* /*type*/, uint16_t /*id*/) {}

void CLumoAPILibrary::ExportLdromResource(const char16_t* /*type*/, uint16_t /*id*/,
                                          const char16_t* /*path*/) {}

bool CLumoAPILibrary::WriteAprom() {
    return false;
}

bool CLumoAPILibrary::ProgramAprom(const uint8_t* /*data*/, uint32_t /*size*/) {
    return false;
}

bool CLumoAPILibrary::EraseDeviceArea(uint32_t /*start*/, uint32_t /*size*/) {
    return false;
}

int CLumoAPILibrary::ReadDeviceMacrosPlain(uint32_t /*address*/, uint32_t /*maxBytes*/) {
    return 0;
}

int CLumoAPILibrary::WriteDeviceMacrosPlain(uint32_t /*address*/, uint32_t /*unused*/) {
    return 0;
}

uint32_t CLumoAPILibrary::GetDeviceImageSize() {
    return 0;
}

int CLumoAPILibrary::ReadDeviceMacros(uint32_t /*address*/, uint32_t /*maxBytes*/) {
    return 0;
}

int CLumoAPILibrary::WriteDeviceMacros(uint32_t /*address*/, uint32_t /*unused*/) {
    return 0;
}

uint32_t CLumoAPILibrary::GetDeviceImageSize2() {
    return 0;
}

const char* CLumoAPILibrary::GetDeviceMacroInfo(int /*index*/) {
    static const char empty[20] = {};
    return empty;
}

void CLumoAPILibrary::ClearDeviceMacros() {}

int CLumoAPILibrary::GetDeviceMacroCount() {
    return 0;
}

void CLumoAPILibrary::SetDeviceMacro(int /*index*/, MacroHeader /*header*/,
                                     std::vector<MacroCell> /*cells*/) {}

void CLumoAPILibrary::DeleteDeviceMacro(int /*index*/) {}

void CLumoAPILibrary::DeleteLastDeviceMacro() {}

void CLumoAPILibrary::AddDeviceMacro(DeviceMacro /*macro*/) {}

int CLumoAPILibrary::FindMacro(const std::u16string& /*name*/, int /*skipIndex*/) {
    return -1;
}

EditorMacro CLumoAPILibrary::GetMacro(int /*index*/) {
    return {};
}

void CLumoAPILibrary::SetMacro(int /*index*/, EditorMacro /*macro*/) {}

int CLumoAPILibrary::GetMacroCount() {
    return 0;
}

std::u16string CLumoAPILibrary::GetMacroName(int /*index*/) {
    return {};
}

int CLumoAPILibrary::FindDeviceMacro(const std::u16string& /*name*/, int /*skipIndex*/) {
    return -1;
}

const DeviceMacro* CLumoAPILibrary::GetDeviceMacro(int /*index*/) {
    return nullptr;
}

void CLumoAPILibrary::AddMacro(EditorMacro /*macro*/) {}

void CLumoAPILibrary::DeleteMacro(int /*index*/) {}

void CLumoAPILibrary::PutDeviceMacro(const EditorMacro* /*macro*/) {}

void CLumoAPILibrary::EditListInsertEvent(CLumoListView* /*list*/, int /*row*/,
                                          const MacroItem& /*event*/, int /*flag*/) {}

void CLumoAPILibrary::EditListDeleteRow(CLumoListView* /*list*/, int /*row*/) {}

void CLumoAPILibrary::EditListRefreshRow(CLumoListView* /*list*/, int /*row*/) {}

void CLumoAPILibrary::EditListInsertMouseAbsolute(CLumoListView* /*list*/, int /*row*/,
                                                  const MacroItem& /*event*/, int /*flag*/) {}

void CLumoAPILibrary::EditListInsertMouseRelative(CLumoListView* /*list*/, int /*row*/,
                                                  const MacroItem& /*event*/, int /*flag*/) {}

void CLumoAPILibrary::ReadSettingsBlock(uint32_t /*index*/, uint8_t* /*buffer*/) {}

void CLumoAPILibrary::WriteSettingsBlock(uint32_t /*index*/, const uint8_t* /*buffer*/) {}

uint32_t CLumoAPILibrary::QueryDeviceState() {
    return 0;
}

}  // namespace varnel
