#include "keypad_keys.h"

#include <gtest/gtest.h>

#include <set>

namespace varnel::sim {
namespace {

TEST(KeypadKeys, NamesAliasesAndIndexes) {
    struct Case {
        const char* text;
        std::optional<int> key;
    };
    const Case cases[] = {
        {"F1", 0},        {"f4", 3},      {"NumLock", 4}, {"NUM", 4},       {"/", 5},
        {"Num/", 5},      {"*", 6},       {"-", 7},       {"num+", 8},      {"enter", 9},
        {"NumEnter", 9},  {"1", 10},      {"5", 14},      {"Num5", 14},     {"0", 19},
        {"del", 20},      {"NumDel", 20}, {"index:0", 0}, {"INDEX:14", 14}, {"index:20", 20},
        {"index:21", {}}, {"index:", {}}, {"14", {}},     {"F5", {}},       {"", {}},
        {"#7", 7},        {"#21", {}},    {"Num", 4},     {"Numpad5", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseKeypadKey(c.text), c.key);
    }
}

TEST(KeypadKeys, EachKeyHasItsOwnSingleTriggerBit) {
    std::set<std::array<uint8_t, 3>> seen;
    for (int key = 0; key < kKeypadKeyCount; ++key) {
        SCOPED_TRACE(KeypadKeyName(key));
        const std::array<uint8_t, 3> trigger = KeypadKeyTrigger(key);
        EXPECT_EQ(std::popcount(trigger[0]) + std::popcount(trigger[1]) + std::popcount(trigger[2]),
                  1);
        EXPECT_TRUE(seen.insert(trigger).second);
        EXPECT_EQ(ParseKeypadKey(KeypadKeyName(key)), key);
    }
    EXPECT_EQ(KeypadKeyTrigger(3), (std::array<uint8_t, 3>{0x80, 0, 0}));   // F4
    EXPECT_EQ(KeypadKeyTrigger(9), (std::array<uint8_t, 3>{0, 0, 0x20}));   // ENTER
    EXPECT_EQ(KeypadKeyTrigger(20), (std::array<uint8_t, 3>{0, 0x20, 0}));  // DEL
}

}  // namespace
}  // namespace varnel::sim
