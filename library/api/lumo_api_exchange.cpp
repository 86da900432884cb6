// The exchange procedures as operations of the object, each bound to its identity. A missing
// request or reply buffer fails the operation before anything is sent.
#include "lumo_api_library.h"

namespace varnel {

bool CLumoAPILibrary::BootQuery(const uint8_t* request, uint8_t* reply) {
    if (!request || !reply) return false;
    CHidCmd cmd;
    return exchange::QueryUntilEcho(cmd, BootIdentity(), request, reply);
}

bool CLumoAPILibrary::Query(const uint8_t* request, uint8_t* reply) {
    if (!request || !reply) return false;
    return exchange::QueryUntilEcho(m_Cmd, DeviceIdentityNow(), request, reply);
}

int CLumoAPILibrary::BootCommand(const uint8_t* request) {
    if (!request) return 0;
    return exchange::BootCommand(BootIdentity(), request);
}

bool CLumoAPILibrary::Command(const uint8_t* request) {
    if (!request) return false;
    return exchange::Command(DeviceIdentityNow(), request);
}

bool CLumoAPILibrary::Send(const uint8_t* request) {
    if (!request) return false;
    return exchange::Send(DeviceIdentityNow(), request);
}

bool CLumoAPILibrary::ReadVersion(const uint8_t* request, uint8_t* version) {
    if (!request || !version) return false;
    return exchange::ReadVersion(m_Cmd, DeviceIdentityNow(), request, version);
}

bool CLumoAPILibrary::QueryInfo(const uint8_t* request, uint8_t* reply) {
    if (!request || !reply) return false;
    return exchange::QueryInfo(m_Cmd, DeviceIdentityNow(), request, reply);
}

uint8_t CLumoAPILibrary::QueryDevice(uint8_t code) {
    return exchange::QueryDevice(m_Cmd, DeviceIdentityNow(), code);
}

uint8_t CLumoAPILibrary::QueryDevice2(uint8_t code, uint8_t argument) {
    return exchange::QueryDevice2(m_Cmd, DeviceIdentityNow(), code, argument);
}

void CLumoAPILibrary::SendDeviceCommand(uint8_t code) {
    exchange::SendDeviceCommand(DeviceIdentityNow(), code);
}

void CLumoAPILibrary::SendDeviceCommand2(uint8_t code, uint8_t argument) {
    exchange::SendDeviceCommand2(DeviceIdentityNow(), code, argument);
}

}  // namespace varnel
