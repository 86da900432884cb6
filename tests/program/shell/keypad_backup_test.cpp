// Keypad backups: the file format with its checks, and a backup restored into a fake keypad.
#include "keypad_backup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "crc32.h"
#include "device_test_fixture.h"
#include "fake_flash.h"
#include "keypad_macros.h"
#include "lumo_api_library.h"
#include "macro_lists.h"

namespace varnel::testing {
namespace {

using namespace program;

DeviceMacro Macro(const char* name, int cells) {
    DeviceMacro macro;
    std::memcpy(macro.header.name, name, std::strlen(name));
    macro.header.cellCount = static_cast<uint16_t>(cells);
    for (int i = 0; i < cells; ++i) {
        MacroCell cell;
        cell.code = 0x8001;
        cell.delay = 10 + static_cast<uint32_t>(i);
        cell.data[1] = static_cast<uint8_t>(4 + i);
        macro.cells.push_back(cell);
    }
    return macro;
}

KeypadBackup SomeBackup() {
    KeypadBackup backup;
    backup.keyMap = EmptyKeyMap();
    WorkingEntry entry = WorkingEntryFor(14);
    SetMacroBit(entry.data(), 1);
    UpsertEntry(backup.keyMap, entry);
    SwitchNumLockSync(backup.keyMap);
    backup.step = 5;
    backup.macros = {Macro("copy", 2), Macro("paste", 7)};
    return backup;
}

TEST(KeypadBackupFile, RoundTripsAndRefusesDamage) {
    const std::vector<uint8_t> file = EncodeKeypadBackup(SomeBackup());
    std::string problem;
    const auto decoded = DecodeKeypadBackup(file, problem);
    ASSERT_TRUE(decoded.has_value()) << problem;
    EXPECT_EQ(EncodeKeypadBackup(*decoded), file);

    auto withCrc = [](std::vector<uint8_t> bytes) {  // damage that the checksum does not catch
        bytes.resize(bytes.size() - 4);
        const uint32_t crc = Crc32(bytes);
        bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&crc),
                     reinterpret_cast<const uint8_t*>(&crc) + 4);
        return bytes;
    };
    std::vector<uint8_t> flipped = file;
    flipped[30] ^= 1;
    std::vector<uint8_t> badStep = file;
    badStep[10] = 8;
    std::vector<uint8_t> tooMany = file;
    tooMany[12 + 497] = 31;
    std::vector<uint8_t> cellsBeyond = file;
    cellsBeyond[12 + 497 + 4 + 24] = 0xFF;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* problem;
    } cases[] = {
        {"empty", {}, "not a keypad backup"},
        {"another file", std::vector<uint8_t>(600, 'x'), "not a keypad backup"},
        {"a flipped bit", flipped, "checksum"},
        {"cut short", std::vector<uint8_t>(file.begin(), file.end() - 9), "checksum"},
        {"a step out of range", withCrc(badStep), "damaged"},
        {"too many macros", withCrc(tooMany), "claims 31 macros"},
        {"cells beyond the file", withCrc(cellsBeyond), "truncated"},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(DecodeKeypadBackup(c.bytes, why).has_value()) << c.what;
        EXPECT_NE(why.find(c.problem), std::string::npos) << c.what << ": " << why;
    }
}

class KeypadBackupTest : public DeviceTest {
  protected:
    KeypadBackupTest() {
        m_Api.SetDeviceId(kAppVid, kAppPid);
        RespondWith([this](const Report& request) {
            if (request[1] == 0x09) {  // the step: 0xFF asks, anything else selects
                if (request[2] != 0xFF) m_nStep = request[2];
                return std::vector<Report>{MakeReply({0x09, m_nStep})};
            }
            return m_Flash.Respond(request);
        });
        DeviceMacros().clear();
    }
    ~KeypadBackupTest() override { DeviceMacros().clear(); }

    FakeFlash m_Flash;
    CLumoAPILibrary m_Api;
    DeviceLock m_Lock;
    uint8_t m_nStep = 0;
};

TEST_F(KeypadBackupTest, ARestoredBackupIsWhatTheKeypadReadsBack) {
    const KeypadBackup backup = SomeBackup();
    std::string problem;
    ASSERT_TRUE(RestoreKeypadBackup(m_Api, m_Lock, backup, problem)) << problem;
    EXPECT_EQ(m_nStep, 5);
    const auto again = ReadKeypadBackup(m_Api, m_Lock, problem);
    ASSERT_TRUE(again.has_value()) << problem;
    EXPECT_EQ(EncodeKeypadBackup(*again), EncodeKeypadBackup(backup));
}

TEST_F(KeypadBackupTest, AKeypadThatDoesNotKeepWhatItIsGivenFailsTheRestore) {
    m_Flash.refuseWriteAt = [](uint32_t address) { return address == kMacroAreaAddress + 60; };
    std::string problem;
    EXPECT_FALSE(RestoreKeypadBackup(m_Api, m_Lock, SomeBackup(), problem));
    EXPECT_FALSE(problem.empty());
}

TEST_F(KeypadBackupTest, AnInvalidKeyMapIsNotBackedUp) {
    std::string problem;
    EXPECT_FALSE(ReadKeypadBackup(m_Api, m_Lock, problem).has_value());
    EXPECT_NE(problem.find("not valid"), std::string::npos);
}

}  // namespace
}  // namespace varnel::testing
