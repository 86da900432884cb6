#include "flash_area.h"

#include <algorithm>

namespace varnel::sim {

namespace {
constexpr uint8_t kErased = 0xFF;
}

FlashArea::FlashArea(size_t size) : m_Bytes(size, kErased) {}

FlashArea::FlashArea(std::vector<uint8_t> contents) : m_Bytes(std::move(contents)) {}

bool FlashArea::Contains(uint64_t offset, uint64_t length) const {
    return length > 0 && offset < m_Bytes.size() && length <= m_Bytes.size() - offset;
}

bool FlashArea::Erase(uint64_t offset, uint64_t length) {
    if (!Contains(offset, length)) return false;
    std::fill_n(m_Bytes.begin() + static_cast<ptrdiff_t>(offset), length, kErased);
    return true;
}

bool FlashArea::Program(uint64_t offset, std::span<const uint8_t> data) {
    if (!Contains(offset, data.size())) return false;
    for (size_t i = 0; i < data.size(); ++i) m_Bytes[offset + i] &= data[i];
    return true;
}

bool FlashArea::Read(uint64_t offset, std::span<uint8_t> out) const {
    if (!Contains(offset, out.size())) return false;
    std::copy_n(m_Bytes.begin() + static_cast<ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

void FlashArea::Damage(uint64_t offset, uint8_t mask) {
    if (offset < m_Bytes.size()) m_Bytes[offset] ^= mask;
}

size_t FlashArea::ProgrammedByteCount() const {
    return static_cast<size_t>(
        std::count_if(m_Bytes.begin(), m_Bytes.end(), [](uint8_t b) { return b != kErased; }));
}

}  // namespace varnel::sim
