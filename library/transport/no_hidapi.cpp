// Builds without hidapi offer only the socket transport.
#include "hid_transport.h"

namespace varnel {

std::shared_ptr<HidTransport> MakeHidapiTransport() {
    return nullptr;
}

}  // namespace varnel
