#include "host.h"

#include <atomic>

namespace varnel {

namespace {

std::atomic<CLumoHost*> g_pHost{nullptr};

const std::u16string kLibraryCaption = u"VarnelLibrary";

}  // namespace

CLumoHost& Host() {
    CLumoHost* host = g_pHost.load();
    return host ? *host : DefaultHost();
}

void InstallHost(CLumoHost* host) {
    g_pHost.store(host);
}

int ShowLibraryMessage(const std::u16string& text, uint32_t type, CLumoWindow* owner) {
    if (owner) return owner->ShowMessageBox(text, kLibraryCaption, type);
    return Host().ShowMessageBox(text, kLibraryCaption, type);
}

}  // namespace varnel
