// The profile commands against a profile folder of the test's own and a keypad with a data area.
#include "profile_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "device_test_fixture.h"
#include "fake_flash.h"
#include "lumo_api_library.h"
#include "profile_files.h"
#include "profile_folder.h"
#include "profile_texts.h"

namespace varnel::testing {
namespace {

using program::EmptyKeyMap;
using program::KeyMapImage;
using program::ProfileOutcome;
using program::SaveAnswer;

constexpr uint16_t kEnglish = 1033;
const std::u16string kNoDevice =
    u"Can not find a supported Device!\nPlease connect the device and run again.";

class ScriptedAnswers final : public program::ProfileQuestions {
  public:
    SaveAnswer AskSaveChanges(const std::u16string& text) override {
        asked.push_back(text);
        return answer;
    }
    void Tell(const std::u16string& text) override { told.push_back(text); }

    SaveAnswer answer = SaveAnswer::Cancel;
    std::vector<std::u16string> asked;
    std::vector<std::u16string> told;
};

class ProfileCommandsTest : public DeviceTest {
  protected:
    ProfileCommandsTest()
        : m_Settings(m_Temp.Path() / "settings.conf"),
          m_Profiles(m_Settings, Documents(), m_Images, m_Answers, kEnglish) {
        m_Api.SetDeviceId(kAppVid, kAppPid);
        RespondWith([this](const Report& request) {
            NoteKeyMapWrite(request);
            return m_Flash.Respond(request);
        });
        fs::create_directory(Folder());
        m_Settings.SetProfileFolder(Folder());
    }

    fs::path Documents() const { return m_Temp.Path() / "Documents"; }
    fs::path Folder() const { return m_Temp.Path() / "profiles"; }
    fs::path File(const std::u16string& name) const { return Folder() / (name + u".VPD"); }
    void Holds(const std::u16string& name, const KeyMapImage& image,
               size_t size = program::kProfileFileSize) {
        PutFile(File(name), ProfileBytes(image, size));
    }
    KeyMapImage ImageIn(const fs::path& file) const {
        KeyMapImage image = EmptyKeyMap();
        EXPECT_TRUE(program::ReadProfile(file, image)) << file;
        return image;
    }
    int Index(const std::u16string& name) const { return m_Profiles.Find(name); }
    program::ProfileDevice Device(bool connected = true) { return {m_Api, m_Lock, connected}; }

    // The key map as the keypad was last given it: what the write requests carried, byte for
    // byte, whatever the flash under it makes of them.
    void KeypadHolds(const KeyMapImage& image) { m_KeypadMap = image; }
    const KeyMapImage& KeypadMap() const { return m_KeypadMap; }
    void NoteKeyMapWrite(const Report& report) {
        // Report byte k + 1 is request byte k: code, length, area, address at 4.
        const uint32_t address = report[5] | report[6] << 8 | report[7] << 16 | report[8] << 24;
        if (report[1] != 0xF2 || report[3] != 3 || address < program::kKeyMapAddress) return;
        const uint32_t offset = address - program::kKeyMapAddress;
        for (uint32_t i = 0; i < report[2] && offset + i < program::kKeyMapSize; ++i)
            m_KeypadMap[offset + i] = report[9 + i];
    }
    int Requests(uint8_t code) {
        return static_cast<int>(std::count_if(Keypad().writes.begin(), Keypad().writes.end(),
                                              [&](const Report& r) { return r[1] == code; }));
    }
    bool StepSent(uint8_t step) {
        return std::any_of(Keypad().writes.begin(), Keypad().writes.end(),
                           [&](const Report& r) { return r[1] == 9 && r[2] == step; });
    }

    TempFolder m_Temp;
    program::ProgramSettings m_Settings;
    program::KeyMapImages m_Images;
    ScriptedAnswers m_Answers;
    FakeFlash m_Flash;
    KeyMapImage m_KeypadMap{};
    CLumoAPILibrary m_Api;
    program::DeviceLock m_Lock;
    program::ProfileCommands m_Profiles;
};

TEST_F(ProfileCommandsTest, StartUsesTheDataFolderWhenTheStoredOneIsGoneAndSelectsTheLastEntry) {
    m_Settings.SetProfileFolder(m_Temp.Path() / "gone");
    fs::create_directories(Documents() / "Varnel");
    PutFile(Documents() / "Varnel" / "Only.VPD", ProfileBytes(EmptyKeyMap(), 2313));

    EXPECT_EQ(m_Profiles.Start(), 0);
    EXPECT_EQ(m_Settings.ProfileFolder(), Documents() / "Varnel");
    EXPECT_TRUE(fs::is_directory(Documents() / "Varnel" / "MACRO"));
    EXPECT_EQ(m_Profiles.Names(), std::vector<std::u16string>{u"Only"});
    EXPECT_EQ(m_Settings.ProfileIndex(), 0);
    EXPECT_EQ(m_Profiles.CurrentIndex(), 0);
}

TEST_F(ProfileCommandsTest, AFreshProcessComparesTheKeypadWithTheCurrentProfile) {
    const KeyMapImage a = MacroMap({{1, 1}});
    Holds(u"A", a, 40);
    m_Settings.SetProfileIndex(0);
    m_Profiles.Start();
    KeyMapImage shown;
    ASSERT_TRUE(m_Profiles.Show(0, shown));
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + 40, shown.begin()));
    EXPECT_EQ(shown[program::kKeyMapSize - 1], 0) << "the rest is the empty map";

    m_Profiles.TakeKeypadMap(shown);
    EXPECT_FALSE(m_Images.Changed());
    m_Profiles.TakeKeypadMap(MacroMap({{2, 2}}));
    EXPECT_TRUE(m_Images.Changed());
    EXPECT_EQ(m_Images.device, MacroMap({{2, 2}}));

    EXPECT_FALSE(m_Profiles.ChooseFolder(m_Temp.Path() / "gone"));
    EXPECT_EQ(m_Settings.ProfileFolder(), Folder());
}

TEST_F(ProfileCommandsTest, AddCreatesProfile0SelectedThenProfile1) {
    EXPECT_EQ(m_Profiles.Start(), -1);
    const auto first = m_Profiles.Add();
    EXPECT_EQ(first.name, u"Profile0");
    EXPECT_EQ(first.select, 0);
    EXPECT_EQ(m_Settings.ProfileIndex(), 0);
    const auto second = m_Profiles.Add();
    EXPECT_EQ(second.name, u"Profile1");
    EXPECT_FALSE(second.select.has_value());
    EXPECT_EQ(m_Profiles.CurrentIndex(), 0);

    EXPECT_EQ(m_Profiles.Names(), (std::vector<std::u16string>{u"Profile0", u"Profile1"}));
    EXPECT_EQ(FileBytes(File(u"Profile1")), ProfileBytes(EmptyKeyMap(), 2313));
    EXPECT_EQ(m_Flash.writes, 0) << "a new profile is not applied";
}

TEST_F(ProfileCommandsTest, AddSkipsANumberThatBeginsAnotherName) {
    Holds(u"Profile0", EmptyKeyMap());
    Holds(u"Profile10", EmptyKeyMap());
    m_Profiles.Start();
    EXPECT_EQ(m_Profiles.Add().name, u"Profile2");
    EXPECT_TRUE(fs::exists(File(u"Profile2")));
}

TEST_F(ProfileCommandsTest, CopiesGoDirectlyAboveTheSourceAndTheCurrentProfileMovesWithIt) {
    const KeyMapImage a = MacroMap({{4, 2}});
    Holds(u"A", a, program::kKeyMapSize);
    Holds(u"X", EmptyKeyMap());
    m_Profiles.Start();
    m_Settings.SetProfileIndex(Index(u"A"));
    m_Profiles.Start();
    const int source = Index(u"A");

    EXPECT_EQ(m_Profiles.Copy(source).name, u"A_Copy0");
    EXPECT_EQ(m_Profiles.Copy(Index(u"A")).name, u"A_Copy1");
    EXPECT_EQ(Index(u"A_Copy0"), source);
    EXPECT_EQ(Index(u"A_Copy1"), source + 1);
    EXPECT_EQ(Index(u"A"), source + 2);
    EXPECT_EQ(m_Profiles.CurrentIndex(), source + 2);
    EXPECT_EQ(m_Settings.ProfileIndex(), source + 2);
    EXPECT_EQ(ImageIn(File(u"A_Copy1")), a);

    EXPECT_EQ(m_Profiles.Copy(-1).outcome, ProfileOutcome::NoSelection);
    EXPECT_EQ(m_Answers.told, std::vector<std::u16string>{program::kTextNoProfileSelected});
}

TEST_F(ProfileCommandsTest, RenameRefusesAnotherProfilesNameAndKeepsTheSameName) {
    const KeyMapImage a = MacroMap({{1, 1}});
    Holds(u"A", a);
    Holds(u"B", EmptyKeyMap());
    m_Profiles.Start();

    EXPECT_EQ(m_Profiles.Rename(Index(u"A"), u"B").outcome, ProfileOutcome::NameTaken);
    EXPECT_EQ(m_Answers.told, std::vector<std::u16string>{program::kTextSameProfileExists});
    EXPECT_EQ(m_Profiles.Rename(Index(u"A"), u"A").outcome, ProfileOutcome::Unchanged);
    EXPECT_EQ(ImageIn(File(u"A")), a);
    EXPECT_EQ(ImageIn(File(u"B")), EmptyKeyMap());

    const auto renamed = m_Profiles.Rename(Index(u"A"), u"a.b");
    EXPECT_EQ(renamed.outcome, ProfileOutcome::Done);
    EXPECT_FALSE(fs::exists(File(u"A")));
    EXPECT_EQ(ImageIn(File(u"a.b")), a);
    EXPECT_EQ(renamed.select, Index(u"a.b"));
    EXPECT_EQ(m_Settings.ProfileIndex(), Index(u"a.b"));
    EXPECT_EQ(m_Profiles.Names().size(), 2u);
}

TEST_F(ProfileCommandsTest, RefusedNamesWriteNothingAnywhere) {
    Holds(u"A", EmptyKeyMap());
    const fs::path outside = m_Temp.Path() / "outside.VPD";
    PutFile(outside, ProfileBytes(EmptyKeyMap(), 2313));
    m_Profiles.Start();
    const auto before = [&] {
        std::vector<fs::path> all;
        for (const auto& entry : fs::recursive_directory_iterator(m_Temp.Path()))
            all.push_back(entry.path());
        std::sort(all.begin(), all.end());
        return all;
    };
    const std::vector<fs::path> files = before();
    for (const std::u16string name : {u"", u"../A2", u"..", u"sub/A2", u"sub\\A2", u"A\n2"}) {
        EXPECT_EQ(m_Profiles.Rename(Index(u"A"), name).outcome, ProfileOutcome::BadName);
        EXPECT_EQ(m_Profiles.Import(outside, name.empty() ? u"\t" : name).outcome,
                  ProfileOutcome::BadName);
    }
    EXPECT_EQ(before(), files);
    ASSERT_FALSE(m_Answers.told.empty());
    EXPECT_NE(m_Answers.told[0].find(u"cannot be a profile name"), std::u16string::npos);
}

TEST_F(ProfileCommandsTest, SaveAndExportWriteTheEditedMapAndAFailedWriteIsNoSave) {
    Holds(u"A", EmptyKeyMap());
    m_Profiles.Start();
    m_Images.edited = MacroMap({{2, 3}});

    EXPECT_EQ(m_Profiles.Save(-1).outcome, ProfileOutcome::NoSelection);
    EXPECT_EQ(m_Profiles.Save(Index(u"A")).outcome, ProfileOutcome::Done);
    EXPECT_EQ(ImageIn(File(u"A")), m_Images.edited);
    EXPECT_EQ(m_Answers.told.back(), u"A 에 저장하였습니다.");

    EXPECT_EQ(m_Profiles.ExportProposal(), Documents() / "Varnel" / "Varnel.VPD");
    const fs::path exported = m_Temp.Path() / "out.VPD";
    m_Images.edited = MacroMap({{5, 6}});
    EXPECT_EQ(m_Profiles.Export(exported).outcome, ProfileOutcome::Done);
    EXPECT_EQ(ImageIn(exported), m_Images.edited);
    EXPECT_FALSE(m_Images.Changed());
    EXPECT_EQ(m_Profiles.ExportProposal(), exported);

    m_Images.edited = MacroMap({{7, 8}});
    EXPECT_EQ(m_Profiles.Export(m_Temp.Path() / "missing" / "x.VPD").outcome,
              ProfileOutcome::FileFailed);
    EXPECT_TRUE(m_Images.Changed()) << "nothing was saved";
    EXPECT_EQ(m_Profiles.ExportProposal(), exported);
}

TEST_F(ProfileCommandsTest, ImportAddsAProfileNamedAfterItsFile) {
    const KeyMapImage image = MacroMap({{9, 9}});
    const fs::path source = m_Temp.Path() / "Keys.vpd";
    PutFile(source, ProfileBytes(image, program::kKeyMapSize));
    m_Profiles.Start();

    EXPECT_EQ(m_Profiles.Import(source).name, u"Keys");
    EXPECT_EQ(ImageIn(File(u"Keys")), image);
    EXPECT_EQ(m_Profiles.Names(), std::vector<std::u16string>{u"Keys"});
    EXPECT_EQ(m_Profiles.Import(source).outcome, ProfileOutcome::NameTaken);
    EXPECT_EQ(m_Profiles.Import(m_Temp.Path() / "none.VPD", u"N").outcome,
              ProfileOutcome::FileFailed);
}

TEST_F(ProfileCommandsTest, EveryFileTheCommandsWriteIs2313Bytes) {
    Holds(u"Short", MacroMap({{0, 0}, {1, 1}}), 100);
    Holds(u"Whole", MacroMap({{2, 2}}), program::kKeyMapSize);
    PutFile(m_Temp.Path() / "in.VPD", {1, 2, 3});
    m_Profiles.Start();
    m_Profiles.Add();
    m_Profiles.Copy(Index(u"Short"));
    m_Profiles.Import(m_Temp.Path() / "in.VPD");
    m_Profiles.Export(Folder() / "Exported.VPD");
    m_Profiles.SelectAndApply(Device(), Index(u"Whole"));
    m_Profiles.Save(Index(u"Profile0"));
    m_Profiles.MacroRemoved(1);

    int files = 0;
    for (const auto& entry : fs::directory_iterator(Folder())) {
        EXPECT_EQ(entry.file_size(), program::kProfileFileSize) << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 6);
}

TEST_F(ProfileCommandsTest, DeletingTheOnlyProfileEmptiesTheKeypadsMap) {
    KeypadHolds(MacroMap({{3, 3}}));
    Holds(u"A", MacroMap({{3, 3}}));
    m_Profiles.Start();
    auto device = Device();

    EXPECT_EQ(m_Profiles.Delete(Device(false), 0).outcome, ProfileOutcome::NotConnected);
    EXPECT_EQ(m_Answers.told, std::vector<std::u16string>{kNoDevice});
    EXPECT_EQ(m_Profiles.Delete(device, -1).outcome, ProfileOutcome::NoSelection);
    EXPECT_TRUE(fs::exists(File(u"A")));

    const auto deleted = m_Profiles.Delete(device, 0);
    EXPECT_EQ(deleted.outcome, ProfileOutcome::Done);
    EXPECT_EQ(deleted.select, -1);
    EXPECT_TRUE(deleted.refresh);
    EXPECT_EQ(KeypadMap(), EmptyKeyMap());
    EXPECT_EQ(m_Images.edited, EmptyKeyMap());
    EXPECT_FALSE(fs::exists(File(u"A")));
    EXPECT_EQ(m_Settings.ProfileIndex(), -1);
}

TEST_F(ProfileCommandsTest, DeletingSelectsTheNeighbourWhichRefreshThenApplies) {
    for (const char16_t* name : {u"A", u"B", u"C"}) Holds(name, MacroMap({{name[0] - u'A', 1}}));
    KeypadHolds(EmptyKeyMap());
    m_Profiles.Start();
    auto device = Device();
    const std::vector<std::u16string> names = m_Profiles.Names();

    const auto last = m_Profiles.Delete(device, 2);
    EXPECT_EQ(last.select, 1);
    const auto middle = m_Profiles.Delete(device, 0);
    EXPECT_EQ(middle.select, 0);
    EXPECT_EQ(m_Flash.writes, 0) << "profiles remain: the keypad waits for the refresh";
    EXPECT_FALSE(fs::exists(File(names[0])));
    EXPECT_FALSE(fs::exists(File(names[2])));

    EXPECT_EQ(m_Profiles.Refresh(device, *middle.select).outcome, ProfileOutcome::Done);
    EXPECT_TRUE(m_Answers.asked.empty());
    EXPECT_EQ(KeypadMap(), ImageIn(File(names[1])));
}

TEST_F(ProfileCommandsTest, ApplyingWritesTheKeypadAndTheFileBack) {
    const KeyMapImage image = MacroMap({{0, 5}, {20, 22}});
    Holds(u"A", image, program::kKeyMapSize);
    Holds(u"B", EmptyKeyMap());
    m_Profiles.Start();
    auto device = Device();

    const auto applied = m_Profiles.SelectAndApply(device, Index(u"A"));
    EXPECT_EQ(applied.outcome, ProfileOutcome::Done);
    EXPECT_EQ(KeypadMap(), image);
    EXPECT_EQ(FileBytes(File(u"A")), ProfileBytes(image, 2313));
    EXPECT_EQ(m_Images.edited, image);
    EXPECT_EQ(m_Images.device, image);
    EXPECT_FALSE(m_Images.Changed());
    EXPECT_EQ(m_Profiles.CurrentIndex(), Index(u"A"));
    EXPECT_EQ(m_Settings.ProfileIndex(), Index(u"A"));

    const auto absent = m_Profiles.SelectAndApply(Device(false), Index(u"B"));
    EXPECT_EQ(absent.outcome, ProfileOutcome::NotConnected);
    EXPECT_EQ(m_Answers.told.back(), kNoDevice);
    EXPECT_EQ(m_Settings.ProfileIndex(), Index(u"A"));
}

TEST_F(ProfileCommandsTest, ACountOf22IsSelectedButNeitherAppliedNorRewritten) {
    const std::vector<uint8_t> bytes = ProfileBytes(OverfullMap(), 600, 0xAB);
    PutFile(File(u"Full"), bytes);
    KeypadHolds(MacroMap({{6, 6}}));
    m_Profiles.Start();
    auto device = Device();

    EXPECT_EQ(m_Profiles.SelectAndApply(device, 0).outcome, ProfileOutcome::NotApplied);
    EXPECT_EQ(m_Flash.writes, 0);
    EXPECT_EQ(Requests(0xF1), 0);
    EXPECT_EQ(KeypadMap(), MacroMap({{6, 6}}));
    EXPECT_EQ(FileBytes(File(u"Full")), bytes);
    EXPECT_EQ(m_Profiles.CurrentIndex(), 0);
    EXPECT_EQ(m_Images.edited, EmptyKeyMap());
}

TEST_F(ProfileCommandsTest, SwitchingWithUnsavedChangesAsksFirst) {
    const KeyMapImage a = MacroMap({{1, 1}}), b = MacroMap({{2, 2}}),
                      edit = MacroMap({{1, 1}, {3, 3}});
    struct Case {
        SaveAnswer answer;
        ProfileOutcome outcome;
        KeyMapImage fileA, keypad;
        std::vector<std::u16string> told;
    } cases[] = {
        {SaveAnswer::Yes, ProfileOutcome::Done, edit, b, {u"A 에 저장하였습니다."}},
        {SaveAnswer::No, ProfileOutcome::Done, a, b, {}},
        {SaveAnswer::Cancel, ProfileOutcome::Cancelled, a, a, {}},
    };
    for (const Case& c : cases) {
        Holds(u"A", a);
        Holds(u"B", b);
        m_Profiles.Start();
        auto device = Device();
        ASSERT_EQ(m_Profiles.SelectAndApply(device, Index(u"A")).outcome, ProfileOutcome::Done);
        m_Images.edited = edit;
        m_Answers = ScriptedAnswers();
        m_Answers.answer = c.answer;

        const auto result = m_Profiles.SelectAndApply(device, Index(u"B"));
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(m_Answers.asked,
                  std::vector<std::u16string>{
                      u"There is data that has changed.\n A Do you want to save to profile?"});
        EXPECT_EQ(m_Answers.told, c.told);
        EXPECT_EQ(ImageIn(File(u"A")), c.fileA);
        EXPECT_EQ(KeypadMap(), c.keypad);
        const int current = c.answer == SaveAnswer::Cancel ? Index(u"A") : Index(u"B");
        EXPECT_EQ(m_Profiles.CurrentIndex(), current);
        EXPECT_EQ(m_Settings.ProfileIndex(), current);
    }
}

TEST_F(ProfileCommandsTest, ResetEmptiesTheKeypadOnStep4AndLeavesTheFiles) {
    const KeyMapImage image = MacroMap({{8, 8}});
    KeypadHolds(image);
    Holds(u"A", image);
    m_Profiles.Start();
    m_Images.edited = m_Images.saved = image;
    auto device = Device();

    EXPECT_EQ(m_Profiles.Reset(device).outcome, ProfileOutcome::Done);
    EXPECT_EQ(KeypadMap(), EmptyKeyMap());
    EXPECT_TRUE(StepSent(3));
    EXPECT_EQ(m_Images.saved, EmptyKeyMap());
    EXPECT_EQ(ImageIn(File(u"A")), image);
}

TEST_F(ProfileCommandsTest, ARemovedMacroLeavesEveryProfileButAnOverfullOne) {
    Holds(u"Only2", MacroMap({{0, 2}}));
    Holds(u"Later", MacroMap({{1, 5}, {2, 1}}), program::kKeyMapSize);
    const std::vector<uint8_t> full = ProfileBytes(OverfullMap(), 600, 0xAB);
    PutFile(File(u"Full"), full);
    m_Profiles.Start();
    m_Images.edited = m_Images.saved = MacroMap({{1, 5}});

    EXPECT_EQ(m_Profiles.MacroRemoved(2).outcome, ProfileOutcome::Done);
    EXPECT_EQ(FileBytes(File(u"Only2")), ProfileBytes(EmptyKeyMap(), 2313));
    EXPECT_EQ(FileBytes(File(u"Later")), ProfileBytes(MacroMap({{1, 4}, {2, 1}}), 2313));
    EXPECT_EQ(FileBytes(File(u"Full")), full);
    EXPECT_EQ(m_Images.edited, MacroMap({{1, 4}}));
    EXPECT_EQ(m_Images.saved, MacroMap({{1, 4}}));
}

TEST_F(ProfileCommandsTest, DeleteAllRemovesEveryProfileAndLeavesTheKeypad) {
    Holds(u"A", EmptyKeyMap());
    Holds(u"B", EmptyKeyMap());
    m_Profiles.Start();
    EXPECT_EQ(m_Profiles.DeleteAll().outcome, ProfileOutcome::Done);
    EXPECT_TRUE(m_Profiles.Names().empty());
    EXPECT_TRUE(fs::is_empty(Folder()));
    EXPECT_EQ(m_Flash.writes, 0);
    EXPECT_EQ(m_Settings.ProfileIndex(), -1);
}

}  // namespace
}  // namespace varnel::testing
