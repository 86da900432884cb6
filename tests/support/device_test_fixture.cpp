#include "device_test_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "protocol_pause.h"

namespace varnel::testing {

DeviceTest::DeviceTest() {
    if (const char* previous = std::getenv("XDG_RUNTIME_DIR")) {
        m_bHadRuntimeDir = true;
        m_strPreviousRuntimeDir = previous;
    }
    char pattern[] = "/tmp/varnel-device-test-XXXXXX";
    m_strRuntimeDir = ::mkdtemp(pattern);
    ::setenv("XDG_RUNTIME_DIR", m_strRuntimeDir.c_str(), 1);
    SetProtocolPauseHook([this](unsigned ms) { m_Pauses.push_back(ms); });
    Keypad().interfaces = ApplicationInterfaces();
}

DeviceTest::~DeviceTest() {
    SetProtocolPauseHook({});
    if (m_bHadRuntimeDir) {
        ::setenv("XDG_RUNTIME_DIR", m_strPreviousRuntimeDir.c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
    std::error_code ec;
    std::filesystem::remove_all(m_strRuntimeDir, ec);
}

void DeviceTest::RespondWith(std::function<std::vector<Report>(const Report&)> reply) {
    Keypad().respond = std::move(reply);
}

void DeviceTest::EchoWithData(std::initializer_list<uint8_t> data) {
    std::vector<uint8_t> bytes(data);
    RespondWith([bytes](const Report& request) {
        Report reply{};
        reply[1] = request[1];
        reply[2] = 1;
        std::copy(bytes.begin(), bytes.end(), reply.begin() + 3);
        return std::vector<Report>{reply};
    });
}

}  // namespace varnel::testing
