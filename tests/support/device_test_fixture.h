// Fixture for tests of the device link: a fake keypad, a recording host, recorded protocol
// pauses, and the exchange lock kept in a folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_transport.h"
#include "recording_host.h"

namespace varnel::testing {

class DeviceTest : public ::testing::Test {
  protected:
    DeviceTest();
    ~DeviceTest() override;

    FakeKeypad& Keypad() { return m_Transport.Keypad(); }
    // Answers every request with the replies `reply(request)` gives.
    void RespondWith(std::function<std::vector<Report>(const Report&)> reply);
    // The keypad echoes the request's code with status 1 and the given data from byte 2.
    void EchoWithData(std::initializer_list<uint8_t> data);

    RecordingHost m_Host;
    std::vector<unsigned> m_Pauses;

  private:
    ScopedFakeTransport m_Transport;
    std::string m_strRuntimeDir;
    std::string m_strPreviousRuntimeDir;
    bool m_bHadRuntimeDir = false;
};

inline constexpr uint16_t kAppVid = 0x1C6C;
inline constexpr uint16_t kAppPid = 0xC008;

}  // namespace varnel::testing
