// The key map's transfers against a fake keypad data area.
#include "keymap_transfer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "device_test_fixture.h"
#include "fake_flash.h"
#include "lumo_api_library.h"

namespace varnel::testing {
namespace {

using namespace program;

class KeyMapTransferTest : public DeviceTest {
  protected:
    KeyMapTransferTest() {
        m_Api.SetDeviceId(kAppVid, kAppPid);
        RespondWith([this](const Report& request) { return m_Flash.Respond(request); });
    }

    KeyMapImage OnKeypad() {
        KeyMapImage image;
        std::memcpy(image.data(), m_Flash.Area().data() + kKeyMapAddress, kKeyMapSize);
        return image;
    }

    static KeyMapImage SomeMap() {
        KeyMapImage image = EmptyKeyMap();
        for (int key = 0; key < kKeypadKeys; key += 2) {
            WorkingEntry entry = WorkingEntryFor(key);
            SetBit(entry.data(), kMouseLeftBit);
            SetMacroBit(entry.data(), key);
            UpsertEntry(image, entry);
        }
        SwitchNumLockSync(image);
        return image;
    }

    FakeFlash m_Flash;
    CLumoAPILibrary m_Api;
    DeviceLock m_Lock;
};

TEST_F(KeyMapTransferTest, AFullWriteReadsBackAndSendsTheHeaderLast) {
    KeyMapImage edited = SomeMap();
    KeyMapImage device{};
    EXPECT_TRUE(WriteKeyMapFull(m_Api, m_Lock, edited, device));
    EXPECT_EQ(device, edited);
    EXPECT_EQ(OnKeypad(), edited);
    ASSERT_FALSE(m_Flash.writeAddresses.empty());
    EXPECT_EQ(m_Flash.writeAddresses.front(), kKeyMapAddress + 12);
    EXPECT_EQ(m_Flash.writeAddresses.back(), kKeyMapAddress);

    const KeyMapRead read = ReadKeyMap(m_Api, m_Lock);
    EXPECT_TRUE(read.present);
    EXPECT_TRUE(read.valid);
    EXPECT_EQ(read.image, edited);
}

TEST_F(KeyMapTransferTest, AnInterruptedFullWriteLeavesAMapTheNextReadCallsInvalid) {
    KeyMapImage edited = SomeMap();
    KeyMapImage device{};
    m_Flash.refuseWriteAt = [](uint32_t address) { return address == kKeyMapAddress + 12 + 112; };
    EXPECT_FALSE(WriteKeyMapFull(m_Api, m_Lock, edited, device));
    m_Flash.refuseWriteAt = nullptr;
    EXPECT_FALSE(ReadKeyMap(m_Api, m_Lock).valid);
}

TEST_F(KeyMapTransferTest, ADirectWriteSendsTheWholeImageInOrder) {
    KeyMapImage edited = SomeMap();
    edited[0] = 0;  // the signature is put back on the way out
    KeyMapImage device{};
    EXPECT_TRUE(WriteKeyMapDirect(m_Api, edited, device));
    EXPECT_EQ(OnKeypad(), SomeMap());
    EXPECT_EQ(m_Flash.writeAddresses.front(), kKeyMapAddress);
    EXPECT_EQ(m_Flash.writeAddresses.size(), 9u);  // eight chunks of 56 and one of 49
}

TEST_F(KeyMapTransferTest, AKeypadInItsBootLoaderOrAbsentIsNotRead) {
    Keypad().interfaces = BootLoaderInterfaces();
    const KeyMapRead boot = ReadKeyMap(m_Api, m_Lock);
    EXPECT_TRUE(boot.bootLoader);
    EXPECT_FALSE(boot.valid);
    Keypad().interfaces.clear();
    const KeyMapRead none = ReadKeyMap(m_Api, m_Lock);
    EXPECT_FALSE(none.present || none.bootLoader);
    EXPECT_EQ(m_Flash.reads, 0);
}

}  // namespace
}  // namespace varnel::testing
