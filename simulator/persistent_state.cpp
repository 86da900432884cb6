#include "persistent_state.h"

namespace varnel::sim {

const char* ModeName(KeypadMode mode) {
    return mode == KeypadMode::Application ? "application" : "boot-loader";
}

}  // namespace varnel::sim
