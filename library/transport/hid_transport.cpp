#include "hid_transport.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace varnel {

namespace {

std::mutex g_TransportMutex;
std::shared_ptr<HidTransport> g_Transport;

constexpr const char kSocketPrefix[] = "socket:";

}  // namespace

std::shared_ptr<HidTransport> MakeHidTransport(const std::string& spec, std::string* error) {
    if (spec == "hidapi") {
        auto transport = MakeHidapiTransport();
        if (!transport && error) *error = "this build has no hidapi transport";
        return transport;
    }
    if (spec.rfind(kSocketPrefix, 0) == 0) {
        const std::string path = spec.substr(sizeof kSocketPrefix - 1);
        if (!path.empty()) return MakeSocketTransport(path);
        if (error) *error = "socket: needs the path of the simulator's socket";
        return nullptr;
    }
    if (error) *error = "unknown HID transport \"" + spec + "\" (use hidapi or socket:PATH)";
    return nullptr;
}

std::shared_ptr<HidTransport> CurrentHidTransport() {
    std::lock_guard lock(g_TransportMutex);
    if (!g_Transport) {
        const char* spec = std::getenv("VARNEL_HID");
        if (spec && *spec) {
            std::string error;
            g_Transport = MakeHidTransport(spec, &error);
            if (!g_Transport) std::fprintf(stderr, "VARNEL_HID: %s; using hidapi\n", error.c_str());
        }
        if (!g_Transport) g_Transport = MakeHidapiTransport();
    }
    return g_Transport;
}

void InstallHidTransport(std::shared_ptr<HidTransport> transport) {
    std::lock_guard lock(g_TransportMutex);
    g_Transport = std::move(transport);
}

}  // namespace varnel
