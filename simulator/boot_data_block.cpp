#include "boot_data_block.h"

#include <array>

namespace varnel::sim {

namespace {

constexpr uint32_t kHeadOffset = 0;
constexpr uint32_t kTailOffset = 2044;

std::optional<uint32_t> IdentityOffset(BootDataLayout layout) {
    switch (layout) {
        case BootDataLayout::Head:
            return kHeadOffset;
        case BootDataLayout::Tail:
            return kTailOffset;
        case BootDataLayout::None:
            break;
    }
    return std::nullopt;
}

std::array<uint8_t, 4> IdentityBytes(UsbIdentity identity) {
    return {static_cast<uint8_t>(identity.productId), static_cast<uint8_t>(identity.productId >> 8),
            static_cast<uint8_t>(identity.vendorId), static_cast<uint8_t>(identity.vendorId >> 8)};
}

}  // namespace

std::optional<BootDataLayout> ParseBootDataLayout(std::string_view text) {
    for (BootDataLayout layout :
         {BootDataLayout::Head, BootDataLayout::Tail, BootDataLayout::None}) {
        if (text == BootDataLayoutName(layout)) return layout;
    }
    return std::nullopt;
}

const char* BootDataLayoutName(BootDataLayout layout) {
    switch (layout) {
        case BootDataLayout::Head:
            return "head";
        case BootDataLayout::Tail:
            return "tail";
        case BootDataLayout::None:
            break;
    }
    return "none";
}

void PutBootDataIdentity(FlashArea& dataArea, UsbIdentity identity, BootDataLayout layout) {
    const auto offset = IdentityOffset(layout);
    if (!offset) return;
    dataArea.Program(kBootDataBlockAddress + *offset, IdentityBytes(identity));
}

BootDataLayout FindBootDataIdentity(const FlashArea& dataArea, UsbIdentity identity) {
    for (BootDataLayout layout : {BootDataLayout::Head, BootDataLayout::Tail}) {
        std::array<uint8_t, 4> stored{};
        dataArea.Read(kBootDataBlockAddress + *IdentityOffset(layout), stored);
        if (stored == IdentityBytes(identity)) return layout;
    }
    return BootDataLayout::None;
}

}  // namespace varnel::sim
