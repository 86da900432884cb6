// The exported functions of VarnelLibrary.
#include <cerrno>
#include <new>

#include "hid_transport.h"
#include "host.h"
#include "lumo_api_library.h"

// The last system error is errno here. It is cleared first, so that only a failure of the
// construction itself is reported.
int VARNEL_STDCALL CreateLumoApi(CLumoApi** api, long* error) {
    if (!api) return 0;
    *api = nullptr;
    errno = 0;
    auto* object = new (std::nothrow) varnel::CLumoAPILibrary();
    if (!object) return 0;
    *api = object;
    const long code = errno;
    if (error) *error = code;
    if (code != 0) {
        delete object;
        *api = nullptr;
        return 0;
    }
    return 1;
}

void VARNEL_STDCALL DestroyLumoApi(CLumoApi* api) {
    delete api;
}

void VARNEL_STDCALL SetLumoHost(CLumoHost* host) {
    varnel::InstallHost(host);
}

int VARNEL_STDCALL SelectLumoTransport(const char* spec) {
    if (!spec) return 0;
    auto transport = varnel::MakeHidTransport(spec, nullptr);
    if (!transport) return 0;
    varnel::InstallHidTransport(std::move(transport));
    return 1;
}
