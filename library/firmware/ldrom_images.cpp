#include "ldrom_images.h"

namespace varnel {

namespace {

std::map<uint16_t, std::vector<uint8_t>>& TestImages() {
    static std::map<uint16_t, std::vector<uint8_t>> s_Images;
    return s_Images;
}

}  // namespace

uint16_t LdromResourceFor(uint16_t productId) {
    switch (productId >> 12) {
        case 0xB:
            return 1004;
        case 0xC:
            return 1003;
        default:
            return 1002;
    }
}

std::span<const uint8_t> BuiltInLdromImage(uint16_t id) {
    if (!TestImages().empty()) {
        const auto found = TestImages().find(id);
        if (found == TestImages().end()) return {};
        return found->second;
    }
    for (const EmbeddedLdrom& image : EmbeddedLdroms()) {
        if (image.id == id) return {image.bytes, image.size};
    }
    return {};
}

void ReplaceLdromImagesForTesting(std::map<uint16_t, std::vector<uint8_t>> images) {
    TestImages() = std::move(images);
}

}  // namespace varnel
