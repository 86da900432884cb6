#include "protocol_pause.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace varnel {

namespace {

std::mutex g_HookMutex;
PauseHook g_Hook;

}  // namespace

void ProtocolPause(unsigned milliseconds) {
    PauseHook hook;
    {
        std::lock_guard lock(g_HookMutex);
        hook = g_Hook;
    }
    if (hook) {
        hook(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SetProtocolPauseHook(PauseHook hook) {
    std::lock_guard lock(g_HookMutex);
    g_Hook = std::move(hook);
}

}  // namespace varnel
