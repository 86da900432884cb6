// A keypad data area for transfer tests: answers erase, write and read requests on area 3 with
// NOR semantics (erase sets 0xFF, a write clears bits), and can refuse chosen requests.
#pragma once

#include <functional>
#include <vector>

#include "fake_transport.h"

namespace varnel::testing {

class FakeFlash {
  public:
    FakeFlash() : m_Area(0x20000, 0xFF) {}

    // The keypad's replies to one request, for DeviceTest::RespondWith.
    std::vector<Report> Respond(const Report& request);

    std::vector<uint8_t>& Area() { return m_Area; }
    // Requests refused with status 0 when this returns true (write requests by their address).
    std::function<bool(uint32_t address)> refuseWriteAt;

    int writes = 0;
    int reads = 0;
    std::vector<std::pair<uint32_t, uint32_t>> erases;  // start, size
    std::vector<uint32_t> writeAddresses;

  private:
    std::vector<uint8_t> m_Area;
};

}  // namespace varnel::testing
