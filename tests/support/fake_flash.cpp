#include "fake_flash.h"

#include <cstring>

namespace varnel::testing {

namespace {

constexpr uint32_t kBootLoaderBase = 0x100000;

uint32_t U32(const Report& r, int at) {
    return r[at] | (r[at + 1] << 8) | (r[at + 2] << 16) | (static_cast<uint32_t>(r[at + 3]) << 24);
}

uint32_t AreaBase(int area) {
    return area == 1 ? kBootLoaderBase : 0;
}

bool Inside(const std::vector<uint8_t>& area, uint32_t offset, uint32_t length) {
    return offset <= area.size() && length <= area.size() - offset;
}

}  // namespace

FakeFlash::FakeFlash() {
    m_Areas[1].assign(4096, 0xFF);
    m_Areas[2].assign(0x1F000, 0xFF);
    m_Areas[3].assign(0x20000, 0xFF);
}

std::vector<Report> FakeFlash::Respond(const Report& report) {
    // Report byte k + 1 is request byte k.
    const uint8_t code = report[1];
    Report reply{};
    reply[1] = code;
    if (code == 0xF1 && report[2] >= 1 && report[2] <= 3) {
        const int area = report[2];
        const uint32_t size = U32(report, 5), start = U32(report, 9) - AreaBase(area);
        if (area == 3) erases.emplace_back(start, size);
        if (area == 2) applicationErases.emplace_back(start, size);
        if (Inside(m_Areas[area], start, size)) {
            std::memset(m_Areas[area].data() + start, 0xFF, size);
            reply[2] = 1;
        }
    } else if (code == 0xF2 && report[3] >= 1 && report[3] <= 3) {
        const int area = report[3];
        const uint32_t length = report[2], address = U32(report, 5) - AreaBase(area);
        ++writes;
        ++areaWrites[area];
        if (area == 3) writeAddresses.push_back(address);
        const bool refused = area == 3 && refuseWriteAt && refuseWriteAt(address);
        if (!refused && Inside(m_Areas[area], address, length)) {
            std::vector<uint8_t>& bytes = m_Areas[area];
            for (uint32_t i = 0; i < length; ++i) bytes[address + i] &= report[9 + i];
            std::memcpy(reply.data() + 3, bytes.data() + address, length);
            if (corruptWriteAt && corruptWriteAt(area, address)) reply[3] ^= 0x01;
            reply[2] = 1;
        }
    } else if (code == 0xF3 && report[3] >= 1 && report[3] <= 3) {
        const int area = report[3];
        const uint32_t length = report[2], address = U32(report, 5) - AreaBase(area);
        ++reads;
        if (Inside(m_Areas[area], address, length)) {
            std::memcpy(reply.data() + 3, m_Areas[area].data() + address, length);
            reply[2] = 1;
        }
    } else if (code < 0xF1 || code > 0xF3) {
        reply[2] = 1;  // other commands are acknowledged; memory requests of no area are refused
    }
    return {reply};
}

}  // namespace varnel::testing
