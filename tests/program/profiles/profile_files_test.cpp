// Profile files: which files the list shows, how a file is read and how it is written.
#include "profile_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "profile_folder.h"

namespace varnel::testing {
namespace {

using program::KeyMapImage;

std::vector<std::u16string> Sorted(std::vector<std::u16string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ProfileFiles, TheListShowsProfileFilesInAnyCaseOfTheExtensionButNoFolders) {
    TempFolder folder;
    for (const char* file : {"A.VPD", "b.vpd", "a.b.VPD", "c.Vpd", "notes.txt", "VPD", "..x.VPD"})
        PutFile(folder.Path() / file, {1});
    fs::create_directory(folder.Path() / "x.VPD");
    EXPECT_EQ(Sorted(program::ListProfiles(folder.Path())),
              (std::vector<std::u16string>{u"A", u"a.b", u"b", u"c"}));
    EXPECT_TRUE(program::ListProfiles(folder.Path() / "missing").empty());
}

TEST(ProfileFiles, AProfileIsFoundInItsFileWhateverTheCaseOfTheExtension) {
    TempFolder folder;
    PutFile(folder.Path() / "b.vpd", {1});
    EXPECT_EQ(program::ProfileFile(folder.Path(), u"b"), folder.Path() / "b.vpd");
    EXPECT_EQ(program::ProfileFile(folder.Path(), u"a.b"), folder.Path() / "a.b.VPD");
    EXPECT_TRUE(program::ProfileFile(folder.Path(), u"../b").empty());
}

TEST(ProfileFiles, ReadingTakesTheImageAndAShortFileFillsOnlyTheStart) {
    TempFolder folder;
    KeyMapImage image = MacroMap({{3, 7}, {20, 22}});
    image[496] = 0x5A;  // the last byte of the last slot
    PutFile(folder.Path() / "whole.VPD", ProfileBytes(image, program::kKeyMapSize));
    PutFile(folder.Path() / "short.VPD", ProfileBytes(image, 20));

    KeyMapImage read = program::EmptyKeyMap();
    ASSERT_TRUE(program::ReadProfile(folder.Path() / "whole.VPD", read));
    EXPECT_EQ(read, image);

    KeyMapImage shortRead;
    shortRead.fill(0xEE);
    ASSERT_TRUE(program::ReadProfile(folder.Path() / "short.VPD", shortRead));
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 20, shortRead.begin()));
    EXPECT_TRUE(
        std::all_of(shortRead.begin() + 20, shortRead.end(), [](uint8_t b) { return b == 0xEE; }));

    EXPECT_FALSE(program::ReadProfile(folder.Path() / "missing.VPD", read));
    fs::create_directory(folder.Path() / "x.VPD");
    EXPECT_FALSE(program::ReadProfile(folder.Path() / "x.VPD", read));
}

TEST(ProfileFiles, AWrittenFileIsTheSignedImageAndZerosUpTo2313Bytes) {
    TempFolder folder;
    KeyMapImage image = MacroMap({{0, 1}});
    std::fill_n(image.begin(), 11, 0);  // no signature
    const fs::path file = folder.Path() / "p.VPD";
    PutFile(file, std::vector<uint8_t>(4000, 0xFF));  // replaced whole

    ASSERT_TRUE(program::WriteProfile(file, image));
    program::PutSignature(image);
    EXPECT_EQ(FileBytes(file), ProfileBytes(image, program::kProfileFileSize));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1)
        << "nothing is left beside the file";
}

TEST(ProfileFiles, WritesThatCannotBeDoneAreReportedAndReplaceNothing) {
    TempFolder folder;
    EXPECT_FALSE(
        program::WriteProfile(folder.Path() / "missing" / "p.VPD", program::EmptyKeyMap()));
    fs::create_directory(folder.Path() / "x.VPD");
    EXPECT_FALSE(program::WriteProfile(folder.Path() / "x.VPD", program::EmptyKeyMap()));
    EXPECT_TRUE(fs::is_directory(folder.Path() / "x.VPD"));
    EXPECT_FALSE(program::WriteProfile({}, program::EmptyKeyMap()));
}

}  // namespace
}  // namespace varnel::testing
