// The device lock: nested takes by its holder, and exclusion of another process's transfer.
#include "device_lock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace varnel::program {
namespace {

class DeviceLockTest : public ::testing::Test {
  protected:
    DeviceLockTest() {
        char pattern[] = "/tmp/varnel-device-lock-XXXXXX";
        m_strFolder = ::mkdtemp(pattern);
        if (const char* previous = std::getenv("XDG_RUNTIME_DIR")) m_strPrevious = previous;
        ::setenv("XDG_RUNTIME_DIR", m_strFolder.c_str(), 1);
    }
    ~DeviceLockTest() override {
        if (m_strPrevious.empty()) {
            ::unsetenv("XDG_RUNTIME_DIR");
        } else {
            ::setenv("XDG_RUNTIME_DIR", m_strPrevious.c_str(), 1);
        }
        std::filesystem::remove_all(m_strFolder);
    }

    // Whether another process could take the lock now (util-linux's flock, without waiting).
    static bool AnotherProcessGetsIt() {
        const std::string command = "flock -n '" + DeviceLock::LockPath() + "' true";
        return std::system(command.c_str()) == 0;
    }

    std::string m_strFolder;
    std::string m_strPrevious;
};

TEST_F(DeviceLockTest, HeldItKeepsOtherProcessesOutUntilTheOutermostRelease) {
    DeviceLock lock;
    EXPECT_TRUE(AnotherProcessGetsIt());
    lock.lock();
    lock.lock();  // its holder may take it again
    EXPECT_FALSE(AnotherProcessGetsIt());
    lock.unlock();
    EXPECT_FALSE(AnotherProcessGetsIt());
    lock.unlock();
    EXPECT_TRUE(AnotherProcessGetsIt());
}

TEST_F(DeviceLockTest, TwoLocksOfOneProcessNestWithoutWaitingForEachOther) {
    DeviceLock outer;
    DeviceLock inner;
    outer.lock();
    ASSERT_TRUE(inner.try_lock());
    inner.unlock();
    EXPECT_FALSE(AnotherProcessGetsIt()) << "the outer lock still holds";
    outer.unlock();
    EXPECT_TRUE(AnotherProcessGetsIt());
}

}  // namespace
}  // namespace varnel::program
