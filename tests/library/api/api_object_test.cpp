// The export pair and the object's own operations.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "device_test_fixture.h"
#include "lumo_api_library.h"

namespace varnel::testing {
namespace {

class ApiObjectTest : public DeviceTest {};

TEST_F(ApiObjectTest, CreateClearsAStaleSystemErrorAndStartsWithTheInitialMembers) {
    errno = EACCES;  // left over from earlier work of the caller
    CLumoApi* api = nullptr;
    long error = -1;
    ASSERT_EQ(CreateLumoApi(&api, &error), 1);
    ASSERT_NE(api, nullptr);
    EXPECT_EQ(error, 0);
    auto* object = static_cast<CLumoAPILibrary*>(api);
    EXPECT_EQ(object->m_usBootVID, 0x060B);
    EXPECT_EQ(object->m_usBootPID, 0x2320);
    EXPECT_EQ(object->m_usDevVID, 0);
    EXPECT_EQ(object->m_usDevPID, 0);
    EXPECT_EQ(object->m_usFileVID, 0);
    EXPECT_EQ(object->m_usFilePID, 0);
    EXPECT_EQ(object->m_pEditMacro, nullptr);
    EXPECT_EQ(object->m_pProgressWindow, nullptr);
    EXPECT_EQ(object->m_nProgress, 0);
    EXPECT_FALSE(object->m_Cmd.m_Io.IsOpen());
    api->SetDeviceId(0x1C6C, 0xC008);
    EXPECT_EQ(object->m_usDevVID, 0x1C6C);
    EXPECT_EQ(object->m_usDevPID, 0xC008);
    DestroyLumoApi(api);
}

TEST_F(ApiObjectTest, DestroyAcceptsNull) {
    DestroyLumoApi(nullptr);
}

TEST_F(ApiObjectTest, ReservedOperationReturnsZero) {
    CLumoAPILibrary api;
    EXPECT_EQ(api.Reserved1(1, 2), 0);
}

TEST_F(ApiObjectTest, PresenceTestOpensNoReportExchange) {
    CLumoAPILibrary api;
    const uint16_t keypad[2] = {kAppVid, kAppPid};
    const uint16_t other[2] = {0x1234, 0x5678};
    EXPECT_TRUE(api.IsDevicePresent(keypad));
    EXPECT_FALSE(api.IsDevicePresent(other));
    EXPECT_TRUE(Keypad().writes.empty());
    Keypad().interfaces.pop_back();  // no vendor interface: present all the same
    EXPECT_TRUE(api.IsDevicePresent(keypad));
}

class UiLanguageTest : public ApiObjectTest {};

TEST_F(UiLanguageTest, KoreanUsersGetTheirLanguageAndEveryoneElseEnglish) {
    struct Case {
        uint16_t language;
        uint16_t expected;
    };
    const Case cases[] = {
        {0x0412, 1042},  // Korean
        {0x0409, 1033},  // English (United States)
        {0x0809, 1033},  // English (United Kingdom)
        {0x0411, 1033},  // Japanese: same region, other language
        {0x0404, 1033},  // Chinese (Taiwan)
        {0x0000, 1033},
    };
    CLumoAPILibrary api;
    for (const Case& c : cases) {
        m_Host.language = c.language;
        EXPECT_EQ(api.GetUiLanguage(), c.expected) << std::hex << c.language;
    }
}

TEST_F(UiLanguageTest, DefaultHostReadsTheLocaleEnvironmentInItsOrder) {
    SetLumoHost(nullptr);  // the library's own host
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        uint16_t expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, "ko_KR.UTF-8", 1042},
        {nullptr, nullptr, "ko", 1042},
        {nullptr, "ko_KR.eucKR", "en_US.UTF-8", 1042},
        {"en_US.UTF-8", "ko_KR.UTF-8", "ko_KR.UTF-8", 1033},  // LC_ALL decides
        {"", "", "ko_KR.UTF-8", 1042},                        // empty values do not count
        {nullptr, nullptr, "en_KR.UTF-8", 1033},              // Korea, but English
        {nullptr, nullptr, "kok_IN", 1033},                   // Konkani starts with "ko" too
        {nullptr, nullptr, "ja_JP.UTF-8", 1033},
        {nullptr, nullptr, "C", 1033},
        {nullptr, nullptr, nullptr, 1033},
    };
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::string saved[3];
    bool had[3];
    for (int i = 0; i < 3; ++i) {
        const char* value = std::getenv(names[i]);
        had[i] = value != nullptr;
        if (value) saved[i] = value;
    }
    CLumoAPILibrary api;
    for (const Case& c : cases) {
        const char* values[] = {c.lcAll, c.lcMessages, c.lang};
        for (int i = 0; i < 3; ++i) {
            values[i] ? ::setenv(names[i], values[i], 1) : ::unsetenv(names[i]);
        }
        EXPECT_EQ(api.GetUiLanguage(), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
    for (int i = 0; i < 3; ++i)
        had[i] ? ::setenv(names[i], saved[i].c_str(), 1) : ::unsetenv(names[i]);
    SetLumoHost(&m_Host);
}

class RawInputTest : public ApiObjectTest {};

TEST_F(RawInputTest, RegistersKeyboardAndMouseAndRemovesOnlyTheKeyboard) {
    CLumoAPILibrary api;
    api.RegisterRawInput(nullptr);
    api.UnregisterRawInput();
    ASSERT_EQ(m_Host.registrations.size(), 3u);
    const auto& r = m_Host.registrations;
    EXPECT_EQ(r[0].usagePage, 1);
    EXPECT_EQ(r[0].usage, 6);
    EXPECT_EQ(r[0].flags, kLumoRawInputSink);
    EXPECT_EQ(r[1].usage, 2);
    EXPECT_EQ(r[1].flags, kLumoRawInputSink);
    EXPECT_EQ(r[2].usage, 6);
    EXPECT_EQ(r[2].flags, kLumoRawInputRemove);
    EXPECT_EQ(r[2].target, nullptr);
    EXPECT_TRUE(m_Host.messages.empty());
}

TEST_F(RawInputTest, FailuresShowTheirMessagesWithTheErrorCode) {
    m_Host.rawInputError = 87;
    CLumoAPILibrary api;
    api.RegisterRawInput(nullptr);
    api.UnregisterRawInput();
    EXPECT_EQ(m_Host.messages, (std::vector<std::string>{
                                   "RegisterRawInputDevices Error 87",
                                   "RegisterRawInputDevices RIDEV_REMOVE Error 87",
                               }));
}

}  // namespace
}  // namespace varnel::testing
