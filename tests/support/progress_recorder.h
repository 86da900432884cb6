// A progress receiver for tests: keeps every percentage the library sends.
#pragma once

#include <vector>

#include "varnel/LumoApi.h"

namespace varnel::testing {

class ProgressRecorder final : public CLumoMessageReceiver {
  public:
    intptr_t SendWindowMessage(uint32_t message, uintptr_t wParam, intptr_t) override {
        if (message == kLumoProgressMessage) percents.push_back(static_cast<int>(wParam));
        return 0;
    }
    std::vector<int> percents;
};

}  // namespace varnel::testing
