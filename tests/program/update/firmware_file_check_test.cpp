// Whether an update file fits the attached keypad, in its application and in its boot loader.
#include "firmware_file_check.h"

#include <gtest/gtest.h>

#include "device_test_fixture.h"
#include "fake_flash.h"
#include "firmware_file.h"
#include "lumo_api_library.h"

namespace varnel::testing {
namespace {

using program::FirmwareFileVerdict;

class FirmwareFileCheckTest : public DeviceTest {
  protected:
    FirmwareFileCheckTest() {
        RespondWith([this](const Report& request) { return m_Flash.Respond(request); });
    }

    // The data block names the keypad at `at` (0 or 2044) as product, then vendor identifier.
    void RunBootLoaderNaming(uint32_t at, uint16_t productId) {
        Keypad().interfaces = BootLoaderInterfaces();
        uint8_t* block = m_Flash.Area(3).data() + 0x1F000 + at;
        block[0] = static_cast<uint8_t>(productId);
        block[1] = static_cast<uint8_t>(productId >> 8);
        block[2] = 0x6C;
        block[3] = 0x1C;
    }

    FirmwareFileVerdict Check(const std::vector<uint8_t>& file) {
        return program::CheckFirmwareBytesFit(m_Api, file).verdict;
    }

    FakeFlash m_Flash;
    CLumoAPILibrary m_Api;
};

const std::vector<uint8_t> kForThisKeypad =
    PackFirmwareFile(std::vector<uint8_t>(100, 1), {kAppVid, kAppPid});
const std::vector<uint8_t> kForAnother =
    PackFirmwareFile(std::vector<uint8_t>(100, 1), {kAppVid, 0xC009});

TEST_F(FirmwareFileCheckTest, WhileTheApplicationRunsTheFilesIdentityMustBePresent) {
    EXPECT_EQ(Check(kForThisKeypad), FirmwareFileVerdict::Fits);
    EXPECT_EQ(Check(kForAnother), FirmwareFileVerdict::OtherKeypad);
}

TEST_F(FirmwareFileCheckTest, InTheBootLoaderTheDataBlockMustNameTheFilesKeypad) {
    struct Case {
        uint32_t at;
        uint16_t productId;
        FirmwareFileVerdict verdict;
    };
    const Case cases[] = {
        {0, kAppPid, FirmwareFileVerdict::Fits},
        {2044, kAppPid, FirmwareFileVerdict::Fits},
        {0, 0xC009, FirmwareFileVerdict::OtherKeypad},
    };
    for (const Case& c : cases) {
        m_Flash.Area(3).assign(0x20000, 0xFF);
        RunBootLoaderNaming(c.at, c.productId);
        const program::FirmwareFileCheck check =
            program::CheckFirmwareBytesFit(m_Api, kForThisKeypad);
        EXPECT_EQ(check.verdict, c.verdict) << c.at << " " << c.productId;
        EXPECT_TRUE(check.keypadInBootLoader);
    }
}

TEST_F(FirmwareFileCheckTest, DamagedAndOversizedFilesAreRefusedWithoutAskingTheKeypad) {
    std::vector<uint8_t> noTag = kForThisKeypad;
    noTag[3] ^= 0x20;
    const std::vector<uint8_t> shortened(kForThisKeypad.begin(), kForThisKeypad.begin() + 511);
    const std::vector<uint8_t> oversized =
        PackFirmwareFile(std::vector<uint8_t>(0x1F001, 0), {kAppVid, kAppPid});
    EXPECT_EQ(Check(noTag), FirmwareFileVerdict::NotAnUpdateFile);
    EXPECT_EQ(Check(shortened), FirmwareFileVerdict::NotAnUpdateFile);
    EXPECT_EQ(Check({}), FirmwareFileVerdict::NotAnUpdateFile);
    EXPECT_EQ(Check(oversized), FirmwareFileVerdict::TooLarge);
    EXPECT_TRUE(Keypad().writes.empty());
}

TEST_F(FirmwareFileCheckTest, AFileThatCannotBeReadSaysWhy) {
    const program::FirmwareFileCheck check =
        program::CheckFirmwareFileFits(m_Api, "/nonexistent/firmware.quf");
    EXPECT_EQ(check.verdict, FirmwareFileVerdict::Unreadable);
    EXPECT_EQ(check.error, "No such file or directory");
}

}  // namespace
}  // namespace varnel::testing
