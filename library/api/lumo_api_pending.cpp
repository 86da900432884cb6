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

}  // namespace varnel
