#include "shared_api.h"

#include <cstdlib>

namespace varnel::fuzz {

CLumoApi& SharedApi() {
    static CLumoApi* api = [] {
        CLumoApi* made = nullptr;
        if (!CreateLumoApi(&made, nullptr)) std::abort();
        return made;
    }();
    return *api;
}

}  // namespace varnel::fuzz
