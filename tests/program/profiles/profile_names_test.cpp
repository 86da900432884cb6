// Names of new and copied profiles, and the names that may not become file names.
#include "profile_names.h"

#include <gtest/gtest.h>

namespace varnel::program {
namespace {

using Names = std::vector<std::u16string>;

TEST(ProfileNames, NewProfilesTakeTheFirstNumberNoNameBeginsWith) {
    struct Case {
        Names names;
        std::u16string expected;
    } cases[] = {
        {{}, u"Profile0"},
        {{u"Profile0"}, u"Profile1"},
        {{u"Profile0", u"Profile10"}, u"Profile2"},   // Profile10 begins with Profile1
        {{u"PROFILE0", u"profile1x"}, u"Profile2"},   // without regard to case
        {{u"Profile1", u"MyProfile0"}, u"Profile0"},  // a prefix, not a part of the name
    };
    for (const Case& c : cases) EXPECT_EQ(NewProfileName(c.names), c.expected);
}

TEST(ProfileNames, CopiesTakeTheFirstNumberNoNameEquals) {
    struct Case {
        Names names;
        std::u16string source;
        std::u16string expected;
    } cases[] = {
        {{u"A"}, u"A", u"A_Copy0"},
        {{u"A_Copy0", u"A"}, u"A", u"A_Copy1"},
        {{u"A_Copy00", u"a_copy0", u"A"}, u"A", u"A_Copy0"},  // exact comparison
        {{u"a.b"}, u"a.b", u"a.b_Copy0"},
    };
    for (const Case& c : cases) EXPECT_EQ(CopyProfileName(c.names, c.source), c.expected);
}

TEST(ProfileNames, NamesThatWouldLeaveTheFolderOrHideAreRefused) {
    for (const std::u16string name : {u"", u"..", u"../x", u"..x", u"a/b", u"/abs", u"a\\b",
                                      u"tab\there", u"new\nline", u"\x7f"}) {
        EXPECT_FALSE(IsUsableProfileName(name)) << std::string(name.begin(), name.end());
    }
    for (const std::u16string name : {u"Profile0", u"a.b", u"x..y", u".hidden", u"키패드 1"}) {
        EXPECT_TRUE(IsUsableProfileName(name)) << std::string(name.begin(), name.end());
    }
}

}  // namespace
}  // namespace varnel::program
