// The key label tables and the label an entry shows.
#include "key_label.h"

#include <gtest/gtest.h>

#include <set>

#include "key_assignment.h"
#include "key_label_tables.h"

namespace varnel::program {
namespace {

WorkingEntry Cells(std::initializer_list<OutputBit> bits) {
    WorkingEntry entry = WorkingEntryFor(14);
    for (const OutputBit bit : bits) SetBit(entry.data(), bit);
    return entry;
}

OutputBit Cell(int column, int row) {
    return {static_cast<uint8_t>(kOutputsOffset + column), static_cast<uint8_t>(row)};
}

WorkingEntry Macros(std::initializer_list<int> macros, std::initializer_list<OutputBit> bits = {}) {
    WorkingEntry entry = Cells(bits);
    for (const int macro : macros) SetMacroBit(entry.data(), macro);
    return entry;
}

const KeypadMacroNames kCopyEditRun{false, {u"Copy", u"Edit", u"Run"}};
const KeypadMacroNames kNoMacros{true, {}};

TEST(KeyLabelTables, EveryNameHasItsOwnCellAndTheJoinOrderVisitsEachOnce) {
    std::set<std::pair<int, int>> cells;
    for (int index = 0; index < kKeyNames; ++index) {
        const OutputBit bit = OutputBitOfKeyName(index);
        EXPECT_TRUE(cells.emplace(bit.offset, bit.bit).second) << index;
        EXPECT_EQ(KeyNameIndexAt(bit), index);
        EXPECT_FALSE(KeyNameOf(index).empty());
    }
    const auto& order = KeyNameJoinOrder();
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), size_t{kKeyNames});
    EXPECT_EQ((std::vector<int>(order.begin(), order.begin() + 10)),
              (std::vector<int>{74, 86, 92, 99, 94, 96, 105, 106, 107, 0}));
    EXPECT_EQ(order.back(), 15);
}

TEST(KeyLabelTables, NamesCellsFlagsAndDefaultCaptionsAreTheKeypadsOwn) {
    const struct {
        int column, row;
        std::optional<int> index;
    } cells[] = {
        {1, 0, 0},
        {0, 1, 97},
        {15, 7, 15},
        {13, 4, 85},
        {8, 7, 34},
        {0, 4, 107},
        {15, 5, 104},
        {1, 1, std::nullopt},   // calculator
        {11, 6, std::nullopt},  // media marker
        {0, 0, std::nullopt},
    };
    for (const auto& c : cells) {
        EXPECT_EQ(KeyNameIndexAt(Cell(c.column, c.row)), c.index) << c.column << "," << c.row;
    }
    EXPECT_EQ(KeyNameOf(97), u"Win");
    EXPECT_EQ(KeyNameOf(87), u"▲");
    EXPECT_EQ(KeyNameOf(50), u"\\");
    EXPECT_EQ(KeyNameOf(108), u"");
    EXPECT_EQ(KeyNameOf(-1), u"");
    EXPECT_EQ(DefaultCaption(0), u"F1");
    EXPECT_EQ(DefaultCaption(4), u"NUM");
    EXPECT_EQ(DefaultCaption(9), u"ENTER");
    EXPECT_EQ(DefaultCaption(19), u"0");
    EXPECT_EQ(DefaultCaption(20), u"DEL");
}

TEST(ComposeKeyLabel, JoinsTheNamesOfAnEntryInTheFixedOrder) {
    const struct {
        const char* what;
        WorkingEntry entry;
        const KeypadMacroNames& macros;
        std::u16string label;
    } cases[] = {
        {"nothing set", Cells({}), kCopyEditRun, u""},
        {"Ctrl V", Cells({Cell(7, 4), Cell(2, 5)}), kCopyEditRun, u"Ctrl+V"},
        {"both Shifts lead, left first", Cells({Cell(15, 4), Cell(3, 3), Cell(2, 4)}), kCopyEditRun,
         u"Shift+Shift+A"},
        {"mouse buttons lead the keys", Cells({Cell(3, 3), kMouseRightBit, Cell(3, 5)}),
         kCopyEditRun, u"Alt+M-Right+A"},
        {"Ctrl Alt Del", Cells({Cell(5, 6), Cell(3, 5), Cell(2, 5)}), kCopyEditRun,
         u"Ctrl+Alt+Del"},
        {"calculator flag is no name", Cells({kCalculatorBit}), kCopyEditRun, u""},
        {"media", MediaEntry(3, MediaFunction::VolumeUp), kCopyEditRun, u"Vol+"},
        {"media Mute and Vol+", Cells({kMediaMarkerBit, Cell(8, 0), Cell(9, 0)}), kCopyEditRun,
         u"Mute+Vol+"},
        {"media ignores key cells", Cells({kMediaMarkerBit, Cell(2, 5), Cell(2, 0)}), kCopyEditRun,
         u"Web"},
        {"keypad macros by name", Macros({0, 2}), kCopyEditRun, u"Copy+Run"},
        {"keys before macros", Macros({1}, {Cell(2, 5)}), kCopyEditRun, u"Ctrl+Edit"},
        {"macros while the area is empty", Macros({0, 2}), kNoMacros, u" + "},
        {"a macro the keypad does not have", Macros({0, 5}), kCopyEditRun, u"Copy+ "},
        {"macro stop over keys", Macros({1, kMacroStopBit}, {Cell(2, 5), Cell(7, 4)}), kCopyEditRun,
         u"M-STOP"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeKeyLabel(c.entry.data(), c.macros), c.label) << c.what;
    }
}

}  // namespace
}  // namespace varnel::program
