#include "keypad_macro_view.h"

#include <gtest/gtest.h>

#include <cstring>

#include "lumo_api_library.h"
#include "recording_host.h"

namespace varnel::testing {
namespace {

MacroCell Cell(uint16_t code, uint32_t delay, std::initializer_list<uint8_t> data = {}) {
    MacroCell cell;
    cell.code = code;
    cell.delay = delay;
    std::copy(data.begin(), data.end(), cell.data);
    return cell;
}

class KeypadMacroViewTest : public ::testing::Test {
  protected:
    KeypadMacroViewTest() {
        m_Api.SetGameWidth(1920);
        m_Api.SetGameHeight(1080);
    }

    program::KeypadMacroView View(std::vector<MacroCell> cells, int16_t repeat = 0) {
        DeviceMacro macro;
        std::memcpy(macro.header.name, "Copy", 4);
        macro.header.repeat = repeat;
        macro.header.cellCount = static_cast<uint16_t>(cells.size());
        macro.cells = std::move(cells);
        return program::ViewKeypadMacro(m_Api, macro);
    }

    RecordingHost m_Host;
    CLumoAPILibrary m_Api;
};

TEST_F(KeypadMacroViewTest, MouseCellsNameTheFirstMatchingButtonAndThePosition) {
    // (5000, 5000) on the keypad's scale is 960 x 540, raised by one.
    const auto view = View({Cell(0x6006, 0, {0x88, 0x13, 0x88, 0x13}),
                            Cell(0x5000, 0, {0xFB, 0xFF, 7, 0}), Cell(0x4800, 0), Cell(0x4200, 0)});
    ASSERT_EQ(view.rows.size(), 4u);
    EXPECT_EQ(view.rows[0].text, u"    Mouse Right Button_Down Absolute position(961,541) ");
    EXPECT_EQ(view.rows[1].text, u"    Mouse Relative position(-5,7) ");
    EXPECT_EQ(view.rows[2].text, u"    Mouse Wheel down_Down ");
    EXPECT_EQ(view.rows[3].text, u"    Mouse FORWARD_Up ");
}

TEST_F(KeypadMacroViewTest, KeyboardCellsNameWhatChangedSinceTheLastReport) {
    const auto view = View(
        {Cell(0x8001, 10, {0x02}), Cell(0x8001, 10, {0x02, 0x04}), Cell(0x8001, 0, {0x00, 0x04})});
    ASSERT_EQ(view.rows.size(), 5u);
    EXPECT_EQ(view.rows[0].kind, program::RowKind::Keyboard);
    EXPECT_EQ(view.rows[1].text, u"    Delay 10 ms ");
    EXPECT_NE(view.rows[2].text.find(u"A KEY Down"), std::u16string::npos);
    EXPECT_NE(view.rows[4].text.find(u" Up"), std::u16string::npos);
    EXPECT_EQ(view.rows[4].text.find(u"A KEY"), std::u16string::npos);
    EXPECT_EQ(view.summary, u"5 Items (0.02 sec)");
}

TEST_F(KeypadMacroViewTest, RepeatValueAndMode) {
    EXPECT_EQ(View({}, 4).repeatMode, u"Set loop count");
    EXPECT_EQ(View({}, 4).repeat, 4);
    EXPECT_EQ(View({}, -1).repeatMode, u"Infinite");
    EXPECT_EQ(View({}, -2).repeatMode, u"When Pressed");
    EXPECT_EQ(View({}).name, u"Copy");
}

}  // namespace
}  // namespace varnel::testing
