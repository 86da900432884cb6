#include "exchange_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST_F(ExchangeLockTest, ExcludesAnotherProcessHoldingTheLockFile) {
    int toParent[2], toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const std::string path = ExchangeLock::LockPath("cross-process.lock");
    const pid_t child = ::fork();
    if (child == 0) {
        // Another process of the user, such as the running program, in the middle of an exchange.
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
        char byte = ::flock(fd, LOCK_EX) == 0 ? 'L' : 'E';
        if (::write(toParent[1], &byte, 1) != 1 || ::read(toChild[0], &byte, 1) != 1) _exit(1);
        ::flock(fd, LOCK_UN);
        byte = 'U';
        _exit(::write(toParent[1], &byte, 1) == 1 ? 0 : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(toParent[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'L');
    ExchangeLock lock;
    EXPECT_FALSE(lock.Acquire("cross-process.lock", 30));
    ASSERT_EQ(::write(toChild[1], "x", 1), 1);
    ASSERT_EQ(::read(toParent[0], &byte, 1), 1);
    EXPECT_TRUE(lock.Acquire("cross-process.lock", 1000));
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
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
