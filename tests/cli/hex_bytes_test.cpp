#include "hex_bytes.h"

#include <gtest/gtest.h>

#include "json_writer.h"

namespace varnelctl {
namespace {

TEST(HexBytes, AcceptsSingleBytesPrefixesAndRuns) {
    struct Case {
        std::vector<std::string> tokens;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {{"F3", "08", "3"}, {0xF3, 0x08, 0x03}},
        {{"0xf3", "0X1c"}, {0xF3, 0x1C}},
        {{"F3080300"}, {0xF3, 0x08, 0x03, 0x00}},
        {{"0x0102", "a"}, {0x01, 0x02, 0x0A}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto bytes = ParseHexBytes(c.tokens, &error);
        ASSERT_TRUE(bytes) << error;
        EXPECT_EQ(*bytes, c.bytes);
    }
}

TEST(HexBytes, RefusesMalformedTokensAndNamesThem) {
    for (const std::string bad : {"G1", "123", "0x", "", "1 2", "-1", "0xF3F"}) {
        std::string error;
        EXPECT_FALSE(ParseHexBytes({"F3", bad}, &error)) << bad;
        EXPECT_NE(error.find("\"" + bad + "\""), std::string::npos) << error;
    }
}

TEST(HexBytes, FormatsSpacedUpperAndCompactLower) {
    const uint8_t data[] = {0x0A, 0xF3, 0x00};
    EXPECT_EQ(FormatHexSpaced(data, 3), "0A F3 00");
    EXPECT_EQ(FormatHexCompact(data, 3), "0af300");
    EXPECT_EQ(FormatHexSpaced(data, 0), "");
}

TEST(JsonWriter, EscapesTextAndNestsObjectsAndArrays) {
    const std::string text = JsonObject()
                                 .Add("name", "a\"b\\c\n\x01")
                                 .Add("n", 3)
                                 .Add("ok", true)
                                 .Add("list", std::vector<JsonObject>{JsonObject().Add("x", 1)})
                                 .Add("bytes", std::vector<int>{1, 0, 3})
                                 .Text();
    EXPECT_EQ(text,
              R"({"name":"a\"b\\c\n\u0001","n":3,"ok":true,"list":[{"x":1}],"bytes":[1,0,3]})");
}

}  // namespace
}  // namespace varnelctl
