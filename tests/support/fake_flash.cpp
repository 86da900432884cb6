#include "fake_flash.h"

#include <cstring>

namespace varnel::testing {

namespace {

uint32_t U32(const Report& r, int at) {
    return r[at] | (r[at + 1] << 8) | (r[at + 2] << 16) | (static_cast<uint32_t>(r[at + 3]) << 24);
}

}  // namespace

std::vector<Report> FakeFlash::Respond(const Report& report) {
    // Report byte k + 1 is request byte k.
    const uint8_t code = report[1];
    Report reply{};
    reply[1] = code;
    if (code == 0xF1 && report[2] == 3) {
        const uint32_t size = U32(report, 5), start = U32(report, 9);
        erases.emplace_back(start, size);
        if (start + size <= m_Area.size()) {
            std::memset(m_Area.data() + start, 0xFF, size);
            reply[2] = 1;
        }
    } else if (code == 0xF2 && report[3] == 3) {
        const uint32_t length = report[2], address = U32(report, 5);
        ++writes;
        writeAddresses.push_back(address);
        if (!(refuseWriteAt && refuseWriteAt(address)) && address + length <= m_Area.size()) {
            for (uint32_t i = 0; i < length; ++i) m_Area[address + i] &= report[9 + i];
            std::memcpy(reply.data() + 3, m_Area.data() + address, length);
            reply[2] = 1;
        }
    } else if (code == 0xF3 && report[3] == 3) {
        const uint32_t length = report[2], address = U32(report, 5);
        ++reads;
        if (address + length <= m_Area.size()) {
            std::memcpy(reply.data() + 3, m_Area.data() + address, length);
            reply[2] = 1;
        }
    } else {
        reply[2] = 1;
    }
    return {reply};
}

}  // namespace varnel::testing
