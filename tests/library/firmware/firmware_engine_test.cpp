// The firmware update through the API object against a fake keypad: the boot-loader refresh
// while the application runs, and the verified programming of the application flash while the
// boot loader runs.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>

#include "device_test_fixture.h"
#include "fake_flash.h"
#include "firmware_buffers.h"
#include "firmware_file.h"
#include "ldrom_images.h"
#include "lumo_api_library.h"
#include "progress_recorder.h"
#include "text_encoding.h"

namespace varnel::testing {
namespace {

std::vector<uint8_t> Pattern(size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

// Generated images of the product sizes; no product image is ever used in tests.
std::map<uint16_t, std::vector<uint8_t>> GeneratedLdroms() {
    return {{1002, Pattern(4040, 1)}, {1003, Pattern(3920, 2)}, {1004, Pattern(3884, 3)}};
}

class FirmwareEngineTest : public DeviceTest {
  protected:
    FirmwareEngineTest() {
        m_Api.SetDeviceId(kAppVid, kAppPid);
        RespondWith([this](const Report& request) { return Respond(request); });
        ReplaceLdromImagesForTesting(GeneratedLdroms());
    }
    ~FirmwareEngineTest() override {
        ReplaceLdromImagesForTesting({});
        ReleaseFirmwareBuffers();
        std::filesystem::remove(m_strFile);
    }

    std::vector<Report> Respond(const Report& request) {
        if (request[1] == 0xF2 && request[3] == 1 && m_bBootLoaderFlashStuck) {
            Report refused{};
            refused[1] = 0xF2;
            return {refused};
        }
        return m_Flash.Respond(request);
    }

    void RunBootLoader() { Keypad().interfaces = BootLoaderInterfaces(); }

    // The keypad's data block names it as product, then vendor identifier, at `at`.
    void PutBootDataIdentity(uint32_t at, uint16_t vendorId, uint16_t productId) {
        uint8_t* block = m_Flash.Area(3).data() + 0x1F000 + at;
        block[0] = static_cast<uint8_t>(productId);
        block[1] = static_cast<uint8_t>(productId >> 8);
        block[2] = static_cast<uint8_t>(vendorId);
        block[3] = static_cast<uint8_t>(vendorId >> 8);
    }

    std::u16string WriteUpdateFile(const std::vector<uint8_t>& image, FirmwareFileId id) {
        const std::vector<uint8_t> file = PackFirmwareFile(image, id);
        std::ofstream(m_strFile, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
        return Utf8ToUtf16(m_strFile);
    }

    std::vector<uint8_t> ApplicationFlash(size_t size) {
        return {m_Flash.Area(2).begin(), m_Flash.Area(2).begin() + static_cast<long>(size)};
    }

    bool Sent(uint8_t code, uint8_t argument) {
        for (const Report& r : Keypad().writes) {
            if (r[1] == code && r[2] == argument) return true;
        }
        return false;
    }

    FakeFlash m_Flash;
    CLumoAPILibrary m_Api;
    bool m_bBootLoaderFlashStuck = false;
    std::string m_strFile = std::filesystem::temp_directory_path() /
                            ("varnel-firmware-" + std::to_string(::getpid()) + ".quf");
};

TEST(LdromResource, ChosenByTheHighFourBitsOfTheProductIdentifier) {
    const std::pair<uint16_t, uint16_t> cases[] = {
        {0xC008, 1003}, {0xC000, 1003}, {0xB123, 1004}, {0xBFFF, 1004},
        {0x0000, 1002}, {0xA008, 1002}, {0xD008, 1002}, {0xF000, 1002},
    };
    for (const auto& [productId, resource] : cases) {
        EXPECT_EQ(LdromResourceFor(productId), resource) << std::hex << productId;
    }
}

TEST_F(FirmwareEngineTest, ABootLoaderEqualToTheBuiltInImageIsNotWritten) {
    const std::vector<uint8_t> image = GeneratedLdroms()[1003];
    std::copy(image.begin(), image.end(), m_Flash.Area(1).begin());
    EXPECT_TRUE(m_Api.UpdateLdrom());
    EXPECT_EQ(m_Flash.areaWrites[1], 0);
    EXPECT_FALSE(Sent(0xF1, 1));
}

TEST_F(FirmwareEngineTest, ADifferentBootLoaderIsErasedWrittenAndVerified) {
    EXPECT_TRUE(m_Api.UpdateLdrom());
    const std::vector<uint8_t> image = GeneratedLdroms()[1003];
    EXPECT_TRUE(std::equal(image.begin(), image.end(), m_Flash.Area(1).begin()));
    EXPECT_EQ(m_Flash.areaWrites[1], (3920 + 55) / 56);
    EXPECT_EQ(m_Pauses, std::vector<unsigned>{80});
}

TEST_F(FirmwareEngineTest, ABootLoaderThatNeverVerifiesGivesUpAfterSixRefreshesAndStaysPut) {
    m_bBootLoaderFlashStuck = true;
    EXPECT_FALSE(m_Api.UpdateLdrom());
    EXPECT_EQ(m_Pauses, std::vector<unsigned>(6, 80));
    EXPECT_FALSE(Sent(0xF4, 0x01));
}

TEST_F(FirmwareEngineTest, WithoutBuiltInImagesTheKeypadKeepsItsBootLoader) {
    ReplaceLdromImagesForTesting({{1, {0}}});  // a set that holds none of the three
    EXPECT_TRUE(m_Api.UpdateLdrom());
    EXPECT_EQ(m_Flash.areaWrites[1], 0);
    EXPECT_FALSE(Sent(0xF1, 1));
    ASSERT_EQ(m_Host.messages.size(), 1u);
    EXPECT_NE(m_Host.messages[0].find("keeps its own boot loader"), std::string::npos);
}

TEST_F(FirmwareEngineTest,
       LoadingAFileWhileTheApplicationRunsRefreshesAndRestartsIntoTheBootLoader) {
    m_Api.SetDeviceId(0, 0);
    m_Api.LoadFirmwareFile(WriteUpdateFile(Pattern(100, 9), {kAppVid, kAppPid}).c_str());
    EXPECT_EQ(m_Api.m_usFileVID, kAppVid);
    EXPECT_EQ(m_Api.m_usDevPID, kAppPid);
    EXPECT_GT(m_Flash.areaWrites[1], 0);
    ASSERT_FALSE(Keypad().writes.empty());
    EXPECT_EQ(Keypad().writes.back()[1], 0xF4);
    EXPECT_EQ(Keypad().writes.back()[2], 0x01);
}

TEST_F(FirmwareEngineTest, ExportWritesTheBuiltInImageAndNothingForAMissingOne) {
    const std::string path = m_strFile + ".ldrom";
    m_Api.ExportLdromResource(u"LDROM", 1004, Utf8ToUtf16(path).c_str());
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(written, GeneratedLdroms()[1004]);
    std::filesystem::remove(path);

    m_Api.ExportLdromResource(u"LDROM", 1005, Utf8ToUtf16(path).c_str());
    m_Api.ExportLdromResource(u"OTHER", 1004, Utf8ToUtf16(path).c_str());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(FirmwareEngineTest, InTheBootLoaderTheIdentityChangesOnlyWhenTheDataBlockConfirmsIt) {
    struct Case {
        const char* what;
        uint32_t at;
        uint16_t productId;
        bool confirmed;
    };
    const Case cases[] = {
        {"at the head", 0, 0xC00A, true},
        {"at the end of the first half", 2044, 0xC00A, true},
        {"another keypad", 0, 0xC00B, false},
        {"nothing", 8, 0xC00A, false},
    };
    for (const Case& c : cases) {
        m_Flash.Area(3).assign(0x20000, 0xFF);
        PutBootDataIdentity(c.at, kAppVid, c.productId);
        RunBootLoader();
        m_Api.SetDeviceId(kAppVid, kAppPid);
        m_Api.LoadFirmwareFile(WriteUpdateFile(Pattern(10, 1), {kAppVid, 0xC00A}).c_str());
        EXPECT_EQ(m_Api.m_usDevPID, c.confirmed ? 0xC00A : kAppPid) << c.what;
        EXPECT_EQ(m_Flash.areaWrites[1], 0) << c.what;
    }
}

TEST_F(FirmwareEngineTest, AFiftySevenByteImageIsProgrammedInTwoChunksWithProgress) {
    RunBootLoader();
    ProgressRecorder progress;
    m_Api.SetProgressWindow(&progress);
    const std::vector<uint8_t> image = Pattern(57, 3);
    EXPECT_TRUE(m_Api.ProgramAprom(image.data(), 57));
    EXPECT_EQ(progress.percents, (std::vector<int>{98, 100}));
    EXPECT_EQ(m_Flash.areaWrites[2], 2);
    EXPECT_EQ(ApplicationFlash(57), image);
    EXPECT_EQ(m_Flash.applicationErases,
              (std::vector<std::pair<uint32_t, uint32_t>>{{0, 0x10000}}));
    EXPECT_EQ(m_Pauses, (std::vector<unsigned>{1320, 400}));
}

TEST_F(FirmwareEngineTest, AnImageBeyondTheFirst64KiBHasTheRestErasedToo) {
    RunBootLoader();
    std::fill(m_Flash.Area(2).begin(), m_Flash.Area(2).end(), 0x00);  // an earlier firmware
    const std::vector<uint8_t> image = Pattern(0x1F000, 5);
    EXPECT_TRUE(m_Api.ProgramAprom(image.data(), 0x1F000));
    EXPECT_EQ(m_Flash.applicationErases,
              (std::vector<std::pair<uint32_t, uint32_t>>{{0, 0x10000}, {0x10000, 0xF000}}));
    EXPECT_EQ(ApplicationFlash(0x1F000), image);
}

TEST_F(FirmwareEngineTest, AFailedVerificationStopsProgrammingWithBothMessages) {
    RunBootLoader();
    m_Flash.corruptWriteAt = [](int area, uint32_t address) { return area == 2 && address == 56; };
    const std::vector<uint8_t> image = Pattern(200, 3);
    EXPECT_FALSE(m_Api.ProgramAprom(image.data(), 200));
    EXPECT_EQ(m_Host.messages,
              (std::vector<std::string>{"Write Verifyed Failed!", "Error Update(56/200)!"}));
    EXPECT_EQ(m_Flash.areaWrites[2], 2);
}

TEST_F(FirmwareEngineTest, WriteApromProgramsTheLoadedFileAndReleasesIt) {
    PutBootDataIdentity(0, kAppVid, kAppPid);
    RunBootLoader();
    const std::vector<uint8_t> image = Pattern(3000, 11);
    m_Api.LoadFirmwareFile(WriteUpdateFile(image, {kAppVid, kAppPid}).c_str());
    EXPECT_TRUE(m_Api.WriteAprom());
    EXPECT_EQ(ApplicationFlash(3000), image);
    EXPECT_TRUE(g_FileBuff.empty());
    EXPECT_FALSE(m_Api.WriteAprom()) << "the file was consumed";
}

TEST_F(FirmwareEngineTest, AFileForAnotherKeypadIsRefusedBeforeAnythingIsErased) {
    RunBootLoader();
    m_Api.LoadFirmwareFile(WriteUpdateFile(Pattern(300, 1), {kAppVid, 0xC009}).c_str());
    EXPECT_FALSE(m_Api.WriteAprom());
    EXPECT_EQ(m_Host.messages,
              std::vector<std::string>{"ret DecFirmware Update File Error(0x1C6C,0xC009)"});
    EXPECT_TRUE(m_Flash.applicationErases.empty());
    EXPECT_EQ(m_Flash.areaWrites[2], 0);
}

TEST_F(FirmwareEngineTest, DecFirmwareKeepsTheImageLimits) {
    const std::vector<uint8_t> largest = PackFirmwareFile(Pattern(126976, 1), {kAppVid, kAppPid});
    EXPECT_TRUE(m_Api.DecFirmware(largest.data(), static_cast<uint32_t>(largest.size())));
    EXPECT_EQ(g_APRomSize, 126976u);
    const std::vector<uint8_t> over = PackFirmwareFile(Pattern(126977, 1), {kAppVid, kAppPid});
    EXPECT_FALSE(m_Api.DecFirmware(over.data(), static_cast<uint32_t>(over.size())));
    const std::vector<uint8_t> header = PackFirmwareFile({}, {kAppVid, kAppPid});
    EXPECT_TRUE(m_Api.DecFirmware(header.data(), 512));
    EXPECT_EQ(g_APRomSize, 0u);
    EXPECT_FALSE(m_Api.DecFirmware(header.data(), 511));
}

}  // namespace
}  // namespace varnel::testing
