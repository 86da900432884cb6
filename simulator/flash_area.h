// One NOR flash area of the keypad: erasing sets bytes to 0xFF, programming can only clear bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace varnel::sim {

class FlashArea {
  public:
    // A freshly erased area of the given size.
    explicit FlashArea(size_t size);
    // An area holding the given contents (as loaded from a state file).
    explicit FlashArea(std::vector<uint8_t> contents);

    size_t Size() const { return m_Bytes.size(); }
    // True when [offset, offset + length) is a non-empty range inside the area.
    bool Contains(uint64_t offset, uint64_t length) const;

    // Each returns false, changing nothing, when the range is not inside the area.
    bool Erase(uint64_t offset, uint64_t length);
    // new = old AND data, as a NOR cell cannot go from 0 back to 1 without an erase.
    bool Program(uint64_t offset, std::span<const uint8_t> data);
    bool Read(uint64_t offset, std::span<uint8_t> out) const;
    // A cell gone bad: the byte at `offset` holds `mask`'s bits inverted, whatever was programmed.
    // For fault injection; the next erase of the byte heals it.
    void Damage(uint64_t offset, uint8_t mask);

    std::span<const uint8_t> Bytes() const { return m_Bytes; }
    // Bytes that differ from the erased value 0xFF.
    size_t ProgrammedByteCount() const;

  private:
    std::vector<uint8_t> m_Bytes;
};

}  // namespace varnel::sim
