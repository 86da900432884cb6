// The keypad side of the macro workshop against a scripted keypad with a data area.
#include "keypad_macros.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>

#include "device_test_fixture.h"
#include "fake_flash.h"
#include "lumo_api_library.h"
#include "macro_lists.h"
#include "text_encoding.h"

namespace varnel::testing {
namespace {

using program::CopyResult;

// Answers questions from a script and records what was asked and told.
class ScriptedQuestions final : public program::MacroQuestions {
  public:
    bool AskYesNo(const std::u16string& text, const std::u16string& caption) override {
        asked.push_back(caption + u": " + text);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Tell(const std::u16string& text) override { told.push_back(text); }

    std::deque<bool> answers;
    std::vector<std::u16string> asked;
    std::vector<std::u16string> told;
};

const std::u16string kTooMany =
    u"The maximum number of macros that can be stored on the mouse is 23!";

EditorMacro ListMacro(const std::u16string& name, size_t clicks = 1) {
    EditorMacro macro;
    macro.name = name;
    macro.options[9] = 0x10424;
    macro.items.push_back({kMacroItemStart, 0, 0, 0});
    for (size_t i = 0; i < clicks; ++i) macro.items.push_back({kMacroItemMouse, 0, 0, 0x6});
    return macro;
}

class KeypadMacrosTest : public DeviceTest {
  protected:
    KeypadMacrosTest() {
        m_Api.SetDeviceId(kAppVid, kAppPid);
        RespondWith([this](const Report& request) {
            if (request[1] == 0x10) return std::vector<Report>{MakeReply({0x10, 1})};
            return m_Flash.Respond(request);
        });
        DeviceMacros().clear();
    }
    ~KeypadMacrosTest() override { DeviceMacros().clear(); }

    // Puts macros on the keypad as an earlier upload would have.
    void KeypadHolds(const std::vector<EditorMacro>& macros) {
        for (const EditorMacro& m : macros)
            ASSERT_EQ(Copy({m}).outcome, CopyResult::Outcome::Copied);
        ASSERT_TRUE(program::UploadKeypadMacros(m_Api, m_Lock, nullptr));
    }

    CopyResult Copy(const std::vector<EditorMacro>& macros) {
        return program::CopyListMacrosToKeypad(m_Api, m_Lock, m_Questions, macros);
    }

    std::string Name(int index) { return std::string(m_Api.GetDeviceMacroInfo(index)); }

    FakeFlash m_Flash;
    CLumoAPILibrary m_Api;
    program::DeviceLock m_Lock;
    ScriptedQuestions m_Questions;
};

TEST_F(KeypadMacrosTest, NewMacrosAreAppendedAndTheLastRowIsRemembered) {
    const CopyResult result = Copy({ListMacro(u"one"), ListMacro(u"two")});
    EXPECT_EQ(result.outcome, CopyResult::Outcome::Copied);
    EXPECT_EQ(result.keypadRow, 1);
    ASSERT_EQ(m_Api.GetDeviceMacroCount(), 2);
    EXPECT_EQ(Name(1), "two");
    EXPECT_EQ(m_Api.GetDeviceMacro(0)->cells[0].code, 0x4001) << "the program's encoder";
    EXPECT_TRUE(m_Questions.asked.empty());
}

TEST_F(KeypadMacrosTest, NoKeypadOrNothingSelectedDoesNothing) {
    EXPECT_EQ(Copy({}).outcome, CopyResult::Outcome::NothingSelected);
    Keypad().interfaces.clear();
    EXPECT_EQ(Copy({ListMacro(u"one")}).outcome, CopyResult::Outcome::NoKeypad);
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 0);
}

TEST_F(KeypadMacrosTest, ASameNameAsksAndYesReplaces) {
    KeypadHolds({ListMacro(u"one"), ListMacro(u"two")});
    m_Questions.answers = {true};
    const CopyResult result = Copy({ListMacro(u"one", 3)});
    EXPECT_EQ(result.outcome, CopyResult::Outcome::Copied);
    ASSERT_EQ(m_Questions.asked.size(), 1u);
    EXPECT_EQ(m_Questions.asked[0],
              u"one: This name exists with a macro.\nWould you like to update this macro?");
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 2);
    EXPECT_EQ(m_Api.GetDeviceMacro(0)->cells.size(), 3u);
}

TEST_F(KeypadMacrosTest, NoToTheUpdateQuestionFailsAndReadsTheKeypadAgain) {
    KeypadHolds({ListMacro(u"one"), ListMacro(u"two")});
    m_Api.AddDeviceMacro(DeviceMacro{});  // a change not on the keypad: the re-read drops it
    m_Questions.answers = {false};
    const CopyResult result = Copy({ListMacro(u"one", 3)});
    EXPECT_EQ(result.outcome, CopyResult::Outcome::Refused);
    EXPECT_EQ(result.keypadRow, 2);
    EXPECT_TRUE(m_Questions.told.empty());
    ASSERT_EQ(m_Api.GetDeviceMacroCount(), 2);
    EXPECT_EQ(m_Api.GetDeviceMacro(0)->cells.size(), 1u);
}

TEST_F(KeypadMacrosTest, ATwentyFourthMacroIsRefusedWithTheLimitMessage) {
    std::vector<EditorMacro> macros;
    for (int i = 0; i < 23; ++i) macros.push_back(ListMacro(u"m" + Utf8ToUtf16(std::to_string(i))));
    ASSERT_EQ(Copy(macros).outcome, CopyResult::Outcome::Copied);
    ASSERT_TRUE(program::UploadKeypadMacros(m_Api, m_Lock, nullptr));
    EXPECT_EQ(Copy({ListMacro(u"new")}).outcome, CopyResult::Outcome::Refused);
    EXPECT_EQ(m_Questions.told, std::vector<std::u16string>{kTooMany});
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 23);
    // An update of a macro that is there is still asked.
    m_Questions.answers = {true};
    EXPECT_EQ(Copy({ListMacro(u"m5", 2)}).outcome, CopyResult::Outcome::Copied);
}

TEST_F(KeypadMacrosTest, AMacroThatNoLongerFitsIsUndoneWithTheSameMessage) {
    // 124 + 24 + 8 per click: 7661 clicks give 61436 bytes, the area exactly with the magic.
    EXPECT_EQ(Copy({ListMacro(u"big", 7661)}).outcome, CopyResult::Outcome::Copied);
    EXPECT_EQ(m_Api.GetDeviceImageSize() + 4, 61440u);
    m_Api.ClearDeviceMacros();
    EXPECT_EQ(Copy({ListMacro(u"big", 7662)}).outcome, CopyResult::Outcome::Refused);
    EXPECT_EQ(m_Questions.told, std::vector<std::u16string>{kTooMany});
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 0) << "undone, then read again from an empty keypad";
}

TEST_F(KeypadMacrosTest, UploadErasesEveryBlockTheImageAndMagicCover) {
    struct Case {
        size_t clicks;
        size_t erases;
    };
    // 124 + 24 + 8 n bytes, plus 4 of magic.
    const Case cases[] = {{237, 1} /* 2044 */, {0, 1}};
    for (const Case& c : cases) {
        m_Api.ClearDeviceMacros();
        m_Flash.erases.clear();
        ASSERT_EQ(Copy({ListMacro(u"m", c.clicks)}).outcome, CopyResult::Outcome::Copied);
        ASSERT_TRUE(program::UploadKeypadMacros(m_Api, m_Lock, nullptr));
        EXPECT_EQ(m_Flash.erases.size(), c.erases) << c.clicks;
    }
    // 2045 bytes and more take a second block.
    m_Api.ClearDeviceMacros();
    m_Flash.erases.clear();
    EditorMacro macro = ListMacro(u"m", 236);
    macro.items.push_back({kMacroItemKeyboard, 0x41, 1, 0});  // 12 bytes instead of 8
    ASSERT_EQ(Copy({macro}).outcome, CopyResult::Outcome::Copied);
    EXPECT_EQ(m_Api.GetDeviceImageSize(), 124u + 24 + 236 * 8 + 12);
    ASSERT_TRUE(program::UploadKeypadMacros(m_Api, m_Lock, nullptr));
    ASSERT_EQ(m_Flash.erases.size(), 2u);
    EXPECT_EQ(m_Flash.erases[1], (std::pair<uint32_t, uint32_t>{0x10800, 2048}));
    EXPECT_EQ(std::string(m_Flash.Area().begin() + 0x10000, m_Flash.Area().begin() + 0x10004),
              "KRAM");
    EXPECT_EQ(Keypad().writes.front()[1], 0x10) << "the keypad is told first";
}

TEST_F(KeypadMacrosTest, AnEmptyCollectionErasesTheFirstBlockOnly) {
    KeypadHolds({ListMacro(u"one")});
    m_Api.ClearDeviceMacros();
    m_Flash.erases.clear();
    const int writesBefore = m_Flash.writes;
    ASSERT_TRUE(program::UploadKeypadMacros(m_Api, m_Lock, nullptr));
    EXPECT_EQ(m_Flash.erases, (std::vector<std::pair<uint32_t, uint32_t>>{{0x10000, 2048}}));
    EXPECT_EQ(m_Flash.writes, writesBefore);
    program::ReadKeypadMacros(m_Api, m_Lock);
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 0);
}

TEST_F(KeypadMacrosTest, DeletingRowsTakesThemFromTheTop) {
    ASSERT_EQ(Copy({ListMacro(u"a"), ListMacro(u"b"), ListMacro(u"c"), ListMacro(u"d")}).outcome,
              CopyResult::Outcome::Copied);
    std::vector<int> told;
    program::DeleteKeypadMacros(m_Api, {3, 1, 9}, [&told](int index) { told.push_back(index); });
    EXPECT_EQ(told, (std::vector<int>{1, 2}));
    ASSERT_EQ(m_Api.GetDeviceMacroCount(), 2);
    EXPECT_EQ(Name(0), "a");
    EXPECT_EQ(Name(1), "c");
}

}  // namespace
}  // namespace varnel::testing
