// The keypad's boot-loader images that the library carries: three images, one per family of
// keypads, chosen by the high four bits of the application product identifier. They come with
// the product and are embedded at build time; a build without them never writes the keypad's
// boot-loader flash.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace varnel {

struct EmbeddedLdrom {
    uint16_t id;
    const uint8_t* bytes;
    uint32_t size;
};

// The images embedded in this build (possibly none); generated at configure time.
std::span<const EmbeddedLdrom> EmbeddedLdroms();

// The image identifier for an application product identifier: 1004 for high four bits 0xB,
// 1003 for 0xC, 1002 for any other value.
uint16_t LdromResourceFor(uint16_t productId);

// The image with that identifier, or an empty span when the build does not carry it.
std::span<const uint8_t> BuiltInLdromImage(uint16_t id);

// Tests run the boot-loader refresh with images of their own; an empty set restores the
// embedded ones.
void ReplaceLdromImagesForTesting(std::map<uint16_t, std::vector<uint8_t>> images);

}  // namespace varnel
