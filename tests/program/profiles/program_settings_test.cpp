// The program's settings and its data folder, kept away from the user's own.
#include "program_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "data_folder.h"
#include "profile_folder.h"

namespace varnel::testing {
namespace {

std::string Text(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ProgramSettings, ValuesKeepTheirSectionsAndEntriesAndAreSharedByTwoUsers) {
    TempFolder folder;
    const fs::path ini = folder.Path() / "VARNELKEYPAD.conf";
    {
        program::ProgramSettings settings(ini);
        EXPECT_EQ(settings.ProfileIndex(), -1);
        EXPECT_TRUE(settings.ProfileFolder().empty());
        settings.SetProfileFolder("/p/키패드");
        settings.SetLastExport("/e/Varnel.VPD");
        settings.SetProfileIndex(3);
        settings.SetMacroFile("/m/VarnelMacro.vmf");
        settings.SetExecuteFile("/usr/bin/VARNELKEYPAD");
        ASSERT_TRUE(settings.Sync());
        // The program and varnelctl each hold their own.
        program::ProgramSettings other(ini);
        EXPECT_EQ(other.ProfileIndex(), 3);
        EXPECT_EQ(other.ProfileFolder(), fs::path("/p/키패드"));
        EXPECT_EQ(other.LastExport(), fs::path("/e/Varnel.VPD"));
        EXPECT_EQ(other.MacroFile(), fs::path("/m/VarnelMacro.vmf"));
        EXPECT_EQ(other.ExecuteFile(), fs::path("/usr/bin/VARNELKEYPAD"));
    }
    const std::string text = Text(ini);
    for (const char* line : {"[Path]", "VarnelProfile=", "VarnelData=", "Macro=", "[Profile]",
                             "Index=3", "[VARNELKEYPAD]", "ExecuteFile="}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST(DataFolder, TheDocumentsFolderComesFromTheEnvironmentAndHoldsVarnelWithMacro) {
    TempFolder folder;
    const char* previous = std::getenv("XDG_DOCUMENTS_DIR");
    const std::string saved = previous ? previous : "";
    ::setenv("XDG_DOCUMENTS_DIR", folder.Path().c_str(), 1);
    EXPECT_EQ(program::UserDocumentsFolder(), folder.Path());
    previous ? ::setenv("XDG_DOCUMENTS_DIR", saved.c_str(), 1) : ::unsetenv("XDG_DOCUMENTS_DIR");

    ASSERT_TRUE(program::CreateDataFolders(folder.Path()));
    ASSERT_TRUE(program::CreateDataFolders(folder.Path())) << "existing folders are fine";
    EXPECT_EQ(program::DataFolder(folder.Path()), folder.Path() / "Varnel");
    EXPECT_TRUE(fs::is_directory(folder.Path() / "Varnel" / "MACRO"));
    PutFile(folder.Path() / "file", {});
    EXPECT_FALSE(program::CreateDataFolders(folder.Path() / "file"));
}

}  // namespace
}  // namespace varnel::testing
