#include "exchange_lock.h"

#include <gtest/gtest.h>

#include <thread>

#include "device_test_fixture.h"
#include "hid_io.h"
#include "lumo_api_library.h"

namespace varnel::testing {
namespace {

class ExchangeLockTest : public DeviceTest {};

TEST_F(ExchangeLockTest, ExcludesASecondHolderUntilReleased) {
    ExchangeLock first;
    ExchangeLock second;
    ASSERT_TRUE(first.Acquire("test.lock", 0));
    EXPECT_FALSE(second.Acquire("test.lock", 20));
    first.Release();
    EXPECT_TRUE(second.Acquire("test.lock", 0));
}

TEST_F(ExchangeLockTest, AnExchangeHoldsTheLockFromItsFirstWriteUntilClose) {
    CHidIO io;
    ASSERT_TRUE(io.Open(kAppVid, kAppPid));
    ExchangeLock other;
    EXPECT_TRUE(other.Acquire("varnel-test-fake.lock", 0)) << "Open alone takes no lock";
    other.Release();
    uint8_t report[kHidReportSize] = {};
    ASSERT_TRUE(io.Write(report));
    EXPECT_FALSE(other.Acquire("varnel-test-fake.lock", 0));
    io.Close();
    EXPECT_TRUE(other.Acquire("varnel-test-fake.lock", 0));
}

TEST_F(ExchangeLockTest, AWaitingWriteGoesOnOnceTheOtherExchangeCloses) {
    ExchangeLock holder;
    ASSERT_TRUE(holder.Acquire("varnel-test-fake.lock", 0));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        holder.Release();
    });
    CHidIO io;
    ASSERT_TRUE(io.Open(kAppVid, kAppPid));
    uint8_t report[kHidReportSize] = {};
    EXPECT_TRUE(io.Write(report));
    release.join();
}

TEST_F(ExchangeLockTest, PresenceTestNeverWaitsForTheLock) {
    ExchangeLock holder;
    ASSERT_TRUE(holder.Acquire("varnel-test-fake.lock", 0));
    CLumoAPILibrary api;
    const uint16_t identity[2] = {kAppVid, kAppPid};
    EXPECT_TRUE(api.IsDevicePresent(identity));
    EXPECT_TRUE(Keypad().writes.empty());
}

}  // namespace
}  // namespace varnel::testing
