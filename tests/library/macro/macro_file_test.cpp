// Macro files: the byte layout, saving and loading the editor macro list, merging, refusing
// damaged and unreadable files without touching the list, and the atomic replacement on save.
#include "macro_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "lumo_api_library.h"
#include "macro_lists.h"
#include "recording_host.h"
#include "string_table.h"
#include "text_encoding.h"

namespace varnel {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

using ItemWords = std::array<uint32_t, 4>;

std::vector<ItemWords> Words(const std::vector<MacroItem>& items) {
    std::vector<ItemWords> words;
    for (const MacroItem& i : items) words.push_back({i.kind, i.word1, i.word2, i.word3});
    return words;
}

EditorMacro Macro(std::u16string name, std::vector<MacroItem> items, uint32_t firstOption = 113) {
    EditorMacro macro;
    SetDefaultMacroOptions(macro);
    macro.options[0] = firstOption;
    macro.name = std::move(name);
    macro.items = std::move(items);
    return macro;
}

// Name, options and items: what a macro file keeps.
void ExpectSameKeptFields(const EditorMacro& actual, const EditorMacro& expected) {
    EXPECT_EQ(actual.name, expected.name);
    EXPECT_TRUE(std::equal(std::begin(actual.options), std::end(actual.options),
                           std::begin(expected.options)))
        << Utf16ToUtf8(expected.name);
    EXPECT_EQ(Words(actual.items), Words(expected.items)) << Utf16ToUtf8(expected.name);
}

std::vector<std::u16string> Names(const std::vector<EditorMacro>& macros) {
    std::vector<std::u16string> names;
    for (const EditorMacro& macro : macros) names.push_back(macro.name);
    return names;
}

void PutWord(std::vector<uint8_t>& bytes, uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(word >> shift));
}

uint32_t WordAt(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           uint32_t{bytes[offset + 3]} << 24;
}

// A temporary folder, the recording host, and an editor macro list emptied before and after.
class MacroFileTest : public ::testing::Test {
  protected:
    MacroFileTest() {
        std::string pattern = (fs::temp_directory_path() / "varnel-macro-file-XXXXXX").string();
        m_Folder = ::mkdtemp(pattern.data());
        EditorMacros().clear();
    }
    ~MacroFileTest() override {
        EditorMacros().clear();
        std::error_code ec;
        for (const auto& entry : fs::recursive_directory_iterator(m_Folder, ec)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(m_Folder, ec);
    }

    fs::path File(const std::string& name) const { return m_Folder / name; }
    static std::u16string Path16(const fs::path& path) { return Utf8ToUtf16(path.string()); }

    static void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<uint8_t> ReadBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Saves `macros` into `name` through the library and gives the file's path.
    fs::path SavedFile(const std::string& name, std::vector<EditorMacro> macros) {
        const auto previous = EditorMacros();
        EditorMacros() = std::move(macros);
        const fs::path path = File(name);
        EXPECT_TRUE(m_Api.SaveMacroFile(Path16(path).c_str(), nullptr));
        EditorMacros() = previous;
        return path;
    }

    fs::path m_Folder;
    testing::RecordingHost m_Host;
    CLumoAPILibrary m_Api;
};

TEST(MacroFileLayout, CountThenRecordsOfNameOptionsCountAndItemsLittleEndian) {
    const auto image = EncodeMacroFile({Macro(u"Ab", {{3, 0x01020304, 5, 6}}, 0xA1B2C3D4)});
    ASSERT_EQ(image.size(), 4u + 512 + 40 + 4 + 16);
    EXPECT_EQ(WordAt(image, 0), 1u);
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + 4, image.begin() + 10),
              (std::vector<uint8_t>{'A', 0, 'b', 0, 0, 0}));
    EXPECT_TRUE(std::all_of(image.begin() + 8, image.begin() + 516, [](uint8_t b) { return !b; }));
    EXPECT_EQ(WordAt(image, 516), 0xA1B2C3D4u);
    EXPECT_EQ(WordAt(image, 516 + 36), 0x10424u);  // the repeat word
    EXPECT_EQ(WordAt(image, 556), 1u);
    EXPECT_EQ(image[564], 0x04);
    EXPECT_EQ(WordAt(image, 560), 3u);
    EXPECT_EQ(WordAt(image, 564), 0x01020304u);
}

TEST_F(MacroFileTest, SaveThenLoadGivesBackEveryNameOptionAndItemAndKeepsWorkingFields) {
    const std::vector<EditorMacro> saved = {
        Macro(u"Login \uAC00\U0001F600", {{0, 0, 0, 0}, {1, 0x1E41, 1, 0}, {3, 100, 0, 4}}, 7),
        Macro(u"Empty steps", {}),
        Macro(std::u16string(255, u'x'), {{2, static_cast<uint32_t>(-5), 9, 0x8001}, {9, 1, 2, 3}}),
    };
    const fs::path path = SavedFile("list.vmf", saved);
    EXPECT_EQ(fs::file_size(path), 4 + 3 * 556 + 16 * 5u);

    // Two entries exist before the load: they keep their working fields, the third is new.
    EditorMacros() = {Macro(u"old 1", {{1, 2, 3, 4}}), Macro(u"old 2", {})};
    EditorMacros()[0].playbackCursor = 5;
    EditorMacros()[0].playbackWordA = 11;
    EditorMacros()[1].playbackWordB = 22;
    EditorMacros()[1].workArea[7] = 0x5A;
    ASSERT_TRUE(m_Api.LoadMacroFile(Path16(path).c_str(), nullptr));

    const auto& loaded = EditorMacros();
    ASSERT_EQ(loaded.size(), 3u);
    for (size_t i = 0; i < saved.size(); ++i) ExpectSameKeptFields(loaded[i], saved[i]);
    EXPECT_EQ(loaded[0].playbackCursor, 5);
    EXPECT_EQ(loaded[0].playbackWordA, 11u);
    EXPECT_EQ(loaded[1].playbackWordB, 22u);
    EXPECT_EQ(loaded[1].workArea[7], 0x5A);
    EXPECT_EQ(loaded[2].playbackCursor, -1);
    EXPECT_TRUE(m_Host.messages.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Folder), fs::directory_iterator()), 1)
        << "the save leaves no temporary file behind";
}

TEST_F(MacroFileTest, AFileOfNoMacrosEmptiesTheList) {
    const fs::path path = File("none.vmf");
    WriteBytes(path, {0, 0, 0, 0});
    EditorMacros() = {Macro(u"a", {}), Macro(u"b", {})};
    ASSERT_TRUE(m_Api.LoadMacroFile(Path16(path).c_str(), nullptr));
    EXPECT_TRUE(EditorMacros().empty());
}

TEST_F(MacroFileTest, LongNamesAreCutTo255UnitsAndAFieldWithoutZeroReadsAll256) {
    std::u16string longName(254, u'n');
    longName += u"\U0001F600tail";  // a surrogate pair across the 255th unit is not split
    const fs::path path = SavedFile("long.vmf", {Macro(longName, {})});
    ASSERT_TRUE(m_Api.LoadMacroFile(Path16(path).c_str(), nullptr));
    EXPECT_EQ(EditorMacros().at(0).name, std::u16string(254, u'n'));

    std::vector<uint8_t> image;
    PutWord(image, 1);
    for (int unit = 0; unit < 256; ++unit) image.insert(image.end(), {'z', 0});
    image.resize(image.size() + 44, 0);  // options and an item count of 0
    WriteBytes(path, image);
    ASSERT_TRUE(m_Api.LoadMacroFile(Path16(path).c_str(), nullptr));
    EXPECT_EQ(EditorMacros().at(0).name, std::u16string(256, u'z'));
}

// A reader takes an empty-named record for a bare name field, so the writer leaves such macros
// out (and a name starting with a zero unit is empty in the file) and counts only what it writes.
TEST_F(MacroFileTest, MacrosWithoutANameAreNotWrittenSoTheFileStaysReadable) {
    const fs::path path =
        SavedFile("names.vmf",
                  {Macro(u"first", {{1, 0x41, 1, 0}}), Macro(u"", {{1, 0x42, 1, 0}}),
                   Macro(std::u16string(u"\0hidden", 7), {}), Macro(u"last", {{1, 0x43, 2, 0}})});
    EXPECT_EQ(WordAt(ReadBytes(path), 0), 2u);
    ASSERT_TRUE(m_Api.LoadMacroFile(Path16(path).c_str(), nullptr));
    EXPECT_EQ(Names(EditorMacros()), (std::vector<std::u16string>{u"first", u"last"}));
    EXPECT_EQ(Words(EditorMacros()[1].items), (std::vector<ItemWords>{{1, 0x43, 2, 0}}));
}

TEST_F(MacroFileTest, AnEmptyNamedRecordInAFileIsABareNameField) {
    std::vector<uint8_t> image;
    PutWord(image, 2);
    image.resize(image.size() + 512, 0);  // record 1: an empty name and nothing else
    const auto named = EncodeMacroFile({Macro(u"B", {{3, 50, 0, 0}})});
    image.insert(image.end(), named.begin() + 4, named.end());
    const fs::path path = File("bare.vmf");
    WriteBytes(path, image);

    EditorMacros() = {Macro(u"was here", {{1, 1, 1, 0}})};
    ASSERT_TRUE(m_Api.LoadMacroFile(Path16(path).c_str(), nullptr));
    ASSERT_EQ(EditorMacros().size(), 2u);
    // Nothing of the entry that was there before is left under the empty name.
    ExpectSameKeptFields(EditorMacros()[0], EditorMacro{});
    ExpectSameKeptFields(EditorMacros()[1], Macro(u"B", {{3, 50, 0, 0}}));
}

// Damaged files, each refused as a whole by loading and by merging.
TEST_F(MacroFileTest, DamagedFilesLeaveTheListUnchangedAndSayWhatIsWrong) {
    const auto record = [](const std::u16string& name, uint32_t itemCount) {
        auto image = EncodeMacroFile({Macro(name, {})});
        image.erase(image.begin(), image.begin() + 4);
        image.resize(image.size() - 4);
        PutWord(image, itemCount);
        return image;
    };
    const auto file = [](uint32_t count, std::initializer_list<std::vector<uint8_t>> parts) {
        std::vector<uint8_t> image;
        PutWord(image, count);
        for (const auto& part : parts) image.insert(image.end(), part.begin(), part.end());
        return image;
    };
    const std::vector<uint8_t> twelveItems(12 * 16 + 5, 0);
    struct Case {
        const char* what;
        std::vector<uint8_t> image;
        const char* reason;
    };
    const Case cases[] = {
        {"empty file", {}, "the file is 0 bytes long, too short to hold the number of macros"},
        {"cut in the count", {1, 0}, "the file is 2 bytes long"},
        {"count beyond the file", file(100000, {record(u"A", 0)}),
         "the file claims 100000 macros but its 556 bytes after the count hold at most 1"},
        {"cut in a name", file(2, {record(u"A", 0), std::vector<uint8_t>(500, 0x41)}),
         "macro 2 of 2 is cut off in its name: the file ends 500 bytes into it"},
        {"cut in the options",
         file(1, {std::vector<uint8_t>{'A', 0}, std::vector<uint8_t>(530, 0)}),
         "macro 1 of 1 (\"A\") is cut off after its name: the file ends 20 bytes into its"},
        {"item count beyond the file",
         file(3, {record(u"A", 0), record(u"B", 0), record(u"C", 100000), twelveItems}),
         "macro 3 of 3 (\"C\") claims 100000 items but the file ends after 12"},
        {"bytes left over", file(1, {record(u"A", 1), std::vector<uint8_t>(16 + 37, 0)}),
         "the file has 37 bytes left over after its 1 macros, starting at offset 576"},
    };
    const std::vector<EditorMacro> before = {Macro(u"A", {{1, 0x41, 1, 0}}), Macro(u"kept", {})};
    const fs::path path = File("damaged.vmf");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(path, c.image);
        std::string problem;
        EXPECT_FALSE(ParseMacroFile(c.image, problem));
        EXPECT_THAT(problem, HasSubstr(c.reason));

        EditorMacros() = before;
        std::u16string loadReason;
        std::u16string mergeReason;
        EXPECT_FALSE(m_Api.LoadMacroFile(Path16(path).c_str(), &loadReason));
        EXPECT_FALSE(m_Api.MergeMacroFile(nullptr, Path16(path).c_str(), &mergeReason));
        EXPECT_EQ(Names(EditorMacros()), Names(before));
        ExpectSameKeptFields(EditorMacros()[0], before[0]);
        EXPECT_THAT(Utf16ToUtf8(loadReason), HasSubstr(c.reason));
        EXPECT_THAT(Utf16ToUtf8(loadReason), HasSubstr(path.string()));
        EXPECT_EQ(mergeReason, loadReason);
    }
    EXPECT_TRUE(m_Host.messages.empty());
}

TEST_F(MacroFileTest, AFileThatCannotBeReadChangesNothingAndShowsNothing) {
    const std::pair<const char*, std::function<bool(const char16_t*, std::u16string*)>>
        operations[] = {
            {"load", [&](auto path, auto reason) { return m_Api.LoadMacroFile(path, reason); }},
            {"merge",
             [&](auto path, auto reason) { return m_Api.MergeMacroFile(nullptr, path, reason); }},
            {"import", [&](auto path, auto reason) { return m_Api.ImportMacroText(path, reason); }},
        };
    const std::pair<fs::path, const char*> files[] = {
        {File("missing.vmf"), "No such file or directory"},
        {m_Folder, "Is a directory"},
    };
    for (const auto& [name, operation] : operations) {
        for (const auto& [path, error] : files) {
            SCOPED_TRACE(std::string(name) + " " + path.string());
            EditorMacros() = {Macro(u"kept", {{1, 0x41, 1, 0}})};
            std::u16string reason;
            EXPECT_FALSE(operation(Path16(path).c_str(), &reason));
            EXPECT_THAT(Utf16ToUtf8(reason), HasSubstr(error));
            EXPECT_EQ(Names(EditorMacros()), std::vector<std::u16string>{u"kept"});
        }
        EXPECT_FALSE(operation(nullptr, nullptr)) << name << " without a path";
    }
    EXPECT_TRUE(m_Host.messages.empty());
}

// A window that answers questions as told and records their captions.
class AnsweringWindow final : public CLumoWindow {
  public:
    explicit AnsweringWindow(int answer) : m_nAnswer(answer) {}
    intptr_t SendWindowMessage(uint32_t, uintptr_t, intptr_t) override { return 0; }
    int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                       uint32_t type) override {
        texts.push_back(text);
        captions.push_back(caption);
        types.push_back(type);
        return m_nAnswer;
    }
    std::vector<std::u16string> texts;
    std::vector<std::u16string> captions;
    std::vector<uint32_t> types;

  private:
    int m_nAnswer;
};

TEST_F(MacroFileTest, MergeAppendsNewNamesAndAsksOnceBeforeReplacingAnExistingOne) {
    const MacroItem fromFile{1, 0x42, 1, 0};
    const MacroItem inList{1, 0x41, 1, 0};
    const fs::path path =
        SavedFile("merge.vmf", {Macro(u"Same", {fromFile}, 999), Macro(u"New", {fromFile})});
    struct Case {
        int answer;
        MacroItem sameItem;
    };
    for (const Case& c : {Case{kLumoIdNo, inList}, Case{kLumoIdYes, fromFile}}) {
        SCOPED_TRACE(c.answer);
        // Through the owner window when one is given...
        EditorMacros() = {Macro(u"Other", {}), Macro(u"Same", {inList})};
        AnsweringWindow owner(c.answer);
        ASSERT_TRUE(m_Api.MergeMacroFile(&owner, Path16(path).c_str(), nullptr));
        EXPECT_EQ(Names(EditorMacros()), (std::vector<std::u16string>{u"Other", u"Same", u"New"}));
        EXPECT_EQ(Words(EditorMacros()[1].items),
                  std::vector<ItemWords>({{1, c.sameItem.word1, 1, 0}}));
        EXPECT_EQ(Words(EditorMacros()[2].items), std::vector<ItemWords>({{1, 0x42, 1, 0}}));
        EXPECT_EQ(owner.texts, std::vector<std::u16string>{LibraryText(282)});
        EXPECT_EQ(owner.captions, std::vector<std::u16string>{u"Same"});
        EXPECT_EQ(owner.types, std::vector<uint32_t>{kLumoMbYesNo});

        // ...else through the host.
        EditorMacros() = {Macro(u"Same", {inList})};
        m_Host.answer = c.answer;
        m_Host.messages.clear();
        ASSERT_TRUE(m_Api.MergeMacroFile(nullptr, Path16(path).c_str(), nullptr));
        EXPECT_EQ(m_Host.messages, std::vector<std::string>{Utf16ToUtf8(LibraryText(282))});
        EXPECT_EQ(EditorMacros()[0].items.at(0).word1, c.sameItem.word1);
        EXPECT_EQ(EditorMacros()[0].options[0], c.answer == kLumoIdYes ? 999u : 113u);
    }
}

// Writes `bytes` at `path` as the previous macro file, runs `save` in a child process (which
// may change its user or limits first) and checks that the save failed, said `error` in its
// message box, and left the previous file whole.
class MacroFileSaveFailureTest : public MacroFileTest {
  protected:
    void ExpectFailedSaveKeepsOldFile(const fs::path& path, const std::function<void()>& prepare,
                                      const char* error) {
        const auto old = EncodeMacroFile({Macro(u"old", {{1, 0x41, 1, 0}})});
        WriteBytes(path, old);
        std::vector<EditorMacro> big = {Macro(u"new", std::vector<MacroItem>(200, {3, 1, 0, 0}))};
        EXPECT_EXIT(
            {
                prepare();
                EditorMacros() = big;
                std::u16string reason;
                const bool saved = m_Api.SaveMacroFile(Path16(path).c_str(), &reason);
                const bool shown =
                    m_Host.messages.size() == 1 && m_Host.messages[0] == Utf16ToUtf8(reason);
                std::fprintf(stderr, "%s\n", Utf16ToUtf8(reason).c_str());
                std::_Exit(!saved && shown ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), error);
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(
            std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1)
            << "the temporary file is removed";
    }
};

TEST_F(MacroFileSaveFailureTest, AFolderThatCannotBeWrittenLeavesTheOldFile) {
    const fs::path folder = File("read-only");
    fs::create_directory(folder);
    fs::permissions(m_Folder,
                    fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    // Permissions do not bind the super-user, so the child saves as an ordinary user.
    const auto asOrdinaryUser = [] {
        if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(2);
    };
    ExpectFailedSaveKeepsOldFile(folder / "macros.vmf", asOrdinaryUser, "Permission denied");
}

TEST_F(MacroFileSaveFailureTest, AWriteThatFailsHalfwayLeavesTheOldFile) {
    const auto withSmallFileLimit = [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(2);
    };
    ExpectFailedSaveKeepsOldFile(File("macros.vmf"), withSmallFileLimit, "File too large");
}

TEST_F(MacroFileTest, ARenameThatFailsLeavesTheTargetAndNoTemporaryFile) {
    const fs::path target = File("taken.vmf");
    fs::create_directory(target);
    fs::path inside = target / "keep";
    WriteBytes(inside, {1, 2, 3});
    EditorMacros() = {Macro(u"a", {})};
    std::u16string reason;
    EXPECT_FALSE(m_Api.SaveMacroFile(Path16(target).c_str(), &reason));
    EXPECT_THAT(Utf16ToUtf8(reason), HasSubstr("Is a directory"));
    EXPECT_EQ(m_Host.messages, std::vector<std::string>{Utf16ToUtf8(reason)});
    EXPECT_EQ(ReadBytes(inside), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Folder), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace varnel
