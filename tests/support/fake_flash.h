// A keypad's flash for transfer tests: answers erase, write and read requests on its three
// areas with NOR semantics (erase sets 0xFF, a write clears bits): area 1 the boot-loader flash
// (4096 bytes, addressed from 0x100000), area 2 the application flash, area 3 the data area.
// Chosen requests can be refused, and chosen writes can answer with data that differ from what
// was sent, as a bad flash cell would.
#pragma once

#include <functional>
#include <vector>

#include "fake_transport.h"

namespace varnel::testing {

class FakeFlash {
  public:
    FakeFlash();

    // The keypad's replies to one request, for DeviceTest::RespondWith.
    std::vector<Report> Respond(const Report& request);

    std::vector<uint8_t>& Area() { return m_Areas[3]; }  // the data area
    std::vector<uint8_t>& Area(int area) { return m_Areas[area]; }
    // Data-area writes refused with status 0 when this returns true (by their address).
    std::function<bool(uint32_t address)> refuseWriteAt;
    // Writes of any area whose reply echoes altered data when this returns true.
    std::function<bool(int area, uint32_t address)> corruptWriteAt;

    int writes = 0;
    int reads = 0;
    std::vector<std::pair<uint32_t, uint32_t>> erases;  // start, size (data area)
    std::vector<uint32_t> writeAddresses;               // data area
    std::vector<int> areaWrites = std::vector<int>(4, 0);
    std::vector<std::pair<uint32_t, uint32_t>> applicationErases;  // start, size

  private:
    std::vector<uint8_t> m_Areas[4];
};

}  // namespace varnel::testing
