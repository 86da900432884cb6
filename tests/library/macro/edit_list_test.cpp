// Editing a macro through the edit-list operations: the macro and the list view stay in step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lumo_api_library.h"
#include "recording_host.h"
#include "string_table.h"
#include "text_encoding.h"

namespace varnel::testing {
namespace {

class FakeListView final : public CLumoListView {
  public:
    int GetItemCount() const override { return static_cast<int>(rows.size()); }
    void InsertItem(int row, const std::u16string& text) override {
        rows.insert(rows.begin() + row, text);
    }
    void DeleteItem(int row) override { rows.erase(rows.begin() + row); }
    void SetItemText(int row, const std::u16string& text) override { rows[row] = text; }
    void SelectItem(int row) override { selected = row; }
    void EnsureVisible(int row) override { visible = row; }

    std::vector<std::u16string> rows;
    int selected = -1;
    int visible = -1;
};

constexpr MacroItem kKeyA{kMacroItemKeyboard, 0x41, 3, 0};
constexpr MacroItem kKeyADown{kMacroItemKeyboard, 0x41, 1, 0};
constexpr MacroItem kLeftDownAt{kMacroItemMouse, 10, 20, 0x8003};
constexpr MacroItem kLeftDownBy{kMacroItemMouse, 10, 20, 0x0003};

class EditListTest : public ::testing::Test {
  protected:
    EditListTest() {
        m_Api.SetDefaultDelay(50);
        m_Api.SetEditMacro(&m_Macro);
    }
    ~EditListTest() override { m_Api.SetEditMacro(nullptr); }

    // Fills the macro and the view with `count` delay items.
    void Fill(size_t count) {
        const MacroItem delay{kMacroItemDelay, 10, 0, 0};
        m_Macro.items.assign(count, delay);
        m_List.rows.assign(count, m_Api.FormatMacroItem(delay));
    }

    void ExpectRowsShowItems() {
        ASSERT_EQ(m_List.rows.size(), m_Macro.items.size());
        for (size_t i = 0; i < m_Macro.items.size(); ++i) {
            EXPECT_EQ(m_List.rows[i], m_Api.FormatMacroItem(m_Macro.items[i])) << "row " << i;
        }
    }

    RecordingHost m_Host;
    CLumoAPILibrary m_Api;
    EditorMacro m_Macro;
    FakeListView m_List;
};

TEST_F(EditListTest, AKeyPressBecomesDownPauseUpAndItsLastRowIsShown) {
    Fill(2);
    m_Api.EditListInsertEvent(&m_List, 1, kKeyA, 0);
    ASSERT_EQ(m_Macro.items.size(), 5u);
    EXPECT_EQ(m_Macro.items[1].word2, 1u);
    EXPECT_EQ(m_Macro.items[2].kind, kMacroItemDelay);
    EXPECT_EQ(m_Macro.items[2].word1, 50u);
    EXPECT_EQ(m_Macro.items[3].word2, 2u);
    ExpectRowsShowItems();
    EXPECT_EQ(m_List.selected, 3);
    EXPECT_EQ(m_List.visible, 3);
}

TEST_F(EditListTest, ARowPastTheEndAppends) {
    Fill(1);
    m_Api.EditListInsertEvent(&m_List, 7, kKeyADown, 0);
    ASSERT_EQ(m_Macro.items.size(), 2u);
    EXPECT_EQ(m_Macro.items[1].word2, 1u);
    ExpectRowsShowItems();
}

TEST_F(EditListTest, MouseEventsKeepOrDropTheAbsoluteFlagByTheirOperation) {
    m_Api.EditListInsertEvent(&m_List, 0, kLeftDownAt, 0);
    m_Api.EditListInsertEvent(&m_List, 1, kLeftDownBy, 0);
    m_Api.EditListInsertMouseAbsolute(&m_List, 2, kLeftDownBy, 0);
    m_Api.EditListInsertMouseRelative(&m_List, 3, kLeftDownAt, 0);
    ASSERT_EQ(m_Macro.items.size(), 4u);
    EXPECT_EQ(m_Macro.items[0].word3, 0x8003u);
    EXPECT_EQ(m_Macro.items[1].word3, 0x0003u);
    EXPECT_EQ(m_Macro.items[2].word3, 0x8003u);
    EXPECT_EQ(m_Macro.items[3].word3, 0x0003u);
    ExpectRowsShowItems();
}

TEST_F(EditListTest, TheSizeLimitRefusesWithTheLibrarysMessage) {
    struct Case {
        size_t items;
        MacroItem event;
        bool accepted;
    };
    const Case cases[] = {
        {4997, kKeyA, true},       {4998, kKeyA, false},     {4998, kKeyADown, true},
        {5000, kLeftDownBy, true}, {5001, kKeyADown, false}, {5001, kLeftDownAt, false},
    };
    for (const Case& c : cases) {
        Fill(c.items);
        m_Host.messages.clear();
        m_Api.EditListInsertEvent(&m_List, 0, c.event, 0);
        EXPECT_EQ(m_Macro.items.size() > c.items, c.accepted) << c.items;
        EXPECT_EQ(m_List.rows.size(), m_Macro.items.size()) << c.items;
        if (c.accepted) {
            EXPECT_TRUE(m_Host.messages.empty()) << c.items;
        } else {
            EXPECT_EQ(m_Host.messages, std::vector<std::string>{Utf16ToUtf8(LibraryText(206))});
        }
    }
}

TEST_F(EditListTest, DeletingARowRemovesItsItemAndShowsTheRowInItsPlace) {
    m_Api.EditListInsertEvent(&m_List, 0, kKeyA, 0);
    m_Api.EditListDeleteRow(&m_List, 1);
    ASSERT_EQ(m_Macro.items.size(), 2u);
    EXPECT_EQ(m_Macro.items[1].word2, 2u);
    ExpectRowsShowItems();
    EXPECT_EQ(m_List.selected, 1);

    m_Api.EditListDeleteRow(&m_List, 1);
    EXPECT_EQ(m_List.selected, 0);
    m_Api.EditListDeleteRow(&m_List, 5);  // past the end: nothing
    EXPECT_EQ(m_Macro.items.size(), 1u);
    ExpectRowsShowItems();
}

TEST_F(EditListTest, RefreshRewritesOneRowFromItsItem) {
    m_Api.EditListInsertEvent(&m_List, 0, kKeyADown, 0);
    m_Macro.items[0].word2 = 2;
    m_Api.EditListRefreshRow(&m_List, 0);
    ExpectRowsShowItems();
}

TEST_F(EditListTest, WithoutAnEditMacroNothingChanges) {
    m_Api.SetEditMacro(nullptr);
    m_Api.EditListInsertEvent(&m_List, 0, kKeyA, 0);
    m_Api.EditListDeleteRow(&m_List, 0);
    m_Api.EditListRefreshRow(&m_List, 0);
    EXPECT_TRUE(m_List.rows.empty());
    EXPECT_TRUE(m_Macro.items.empty());
}

}  // namespace
}  // namespace varnel::testing
