#include "state_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "crc32.h"
#include "save_debouncer.h"

namespace varnel::sim {
namespace {

namespace fs = std::filesystem;

PersistentState SampleState() {
    PersistentState state;
    state.mode = KeypadMode::BootLoader;
    state.step = 6;
    state.firmware = {1, 2, 0x0A};
    const uint8_t pattern[] = {0x00, 0x12, 0xA5};
    state.bootLoaderFlash.Program(0xFFD, pattern);
    state.applicationFlash.Program(0x100, pattern);
    state.dataArea.Program(0x1FFFD, pattern);
    return state;
}

void ExpectSameState(const PersistentState& actual, const PersistentState& expected) {
    EXPECT_EQ(actual.mode, expected.mode);
    EXPECT_EQ(actual.step, expected.step);
    EXPECT_EQ(actual.firmware, expected.firmware);
    const auto bytes = [](const FlashArea& area) {
        return std::vector<uint8_t>(area.Bytes().begin(), area.Bytes().end());
    };
    EXPECT_EQ(bytes(actual.bootLoaderFlash), bytes(expected.bootLoaderFlash));
    EXPECT_EQ(bytes(actual.applicationFlash), bytes(expected.applicationFlash));
    EXPECT_EQ(bytes(actual.dataArea), bytes(expected.dataArea));
}

class StateFileTest : public testing::Test {
  protected:
    void SetUp() override {
        directory = fs::temp_directory_path() /
                    ("varnel-sim-state-" + std::to_string(::getpid()) + "-" +
                     testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory);
        path = (directory / "keypad.state").string();
    }
    void TearDown() override { fs::remove_all(directory); }

    void WriteRaw(const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    fs::path directory;
    std::string path;
};

TEST_F(StateFileTest, SavedStateLoadsBackUnchanged) {
    const PersistentState original = SampleState();
    std::string error;
    ASSERT_TRUE(SaveStateFile(path, original, error)) << error;
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    const StateFileLoad loaded = LoadStateFile(path);
    ASSERT_EQ(loaded.status, StateFileLoad::Status::Loaded) << loaded.error;
    ExpectSameState(*loaded.state, original);
}

TEST_F(StateFileTest, SavingReplacesAnEarlierFile) {
    std::string error;
    ASSERT_TRUE(SaveStateFile(path, PersistentState{}, error));
    ASSERT_TRUE(SaveStateFile(path, SampleState(), error));
    ExpectSameState(*LoadStateFile(path).state, SampleState());
}

TEST_F(StateFileTest, MissingFileIsNotAnError) {
    const StateFileLoad loaded = LoadStateFile(path);
    EXPECT_EQ(loaded.status, StateFileLoad::Status::Missing);
    EXPECT_FALSE(loaded.state);
}

TEST_F(StateFileTest, DamagedFilesAreRefusedWithTheReason) {
    const std::vector<uint8_t> good = EncodeState(SampleState());
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}, "not a keypad simulator state file"});
    cases.push_back({"other magic", good, "not a keypad simulator state file"});
    cases.back().bytes[0] ^= 0x20;
    cases.push_back({"flipped flash bit", good, "checksum mismatch"});
    cases.back().bytes[good.size() / 2] ^= 0x01;
    cases.push_back({"truncated", {good.begin(), good.end() - 100}, "checksum mismatch"});
    cases.push_back({"appended bytes", good, "checksum mismatch"});
    cases.back().bytes.push_back(0);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRaw(c.bytes);
        const StateFileLoad loaded = LoadStateFile(path);
        EXPECT_EQ(loaded.status, StateFileLoad::Status::Failed);
        EXPECT_FALSE(loaded.state);
        EXPECT_NE(loaded.error.find("damaged"), std::string::npos) << loaded.error;
        EXPECT_NE(loaded.error.find(c.reason), std::string::npos) << loaded.error;
        EXPECT_NE(loaded.error.find(path), std::string::npos) << loaded.error;
    }
}

TEST(StateDecoding, ChecksumIsTheStandardCrc32) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(std::span(reinterpret_cast<const uint8_t*>(check.data()), check.size())),
              0xCBF43926u);
}

TEST(StateDecoding, RejectsImpossibleContentsUnderAValidChecksum) {
    std::vector<uint8_t> bytes = EncodeState(PersistentState{});
    bytes[16 + 1] = kStepCount;  // body byte 1 is the step
    bytes.resize(bytes.size() - 4);
    const uint32_t crc = Crc32(bytes);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(crc >> (8 * i)));
    std::string error;
    EXPECT_FALSE(DecodeState(bytes, error));
    EXPECT_EQ(error, "bad step");
}

TEST(SaveDebouncer, SavesOnceChangesHaveBeenQuiet) {
    TimerQueue timers;
    int saves = 0;
    SaveDebouncer debouncer(timers, [&] { ++saves; });
    const TimePoint t0 = TimePoint(std::chrono::seconds(50));
    for (int i = 0; i < 10; ++i) debouncer.Changed(t0 + std::chrono::milliseconds(10 * i));
    timers.RunDue(t0 + std::chrono::milliseconds(90) + SaveDebouncer::kQuietPeriod -
                  std::chrono::milliseconds(1));
    EXPECT_EQ(saves, 0);
    timers.RunDue(t0 + std::chrono::milliseconds(90) + SaveDebouncer::kQuietPeriod);
    EXPECT_EQ(saves, 1);
    timers.RunDue(t0 + std::chrono::seconds(10));
    EXPECT_EQ(saves, 1);
}

TEST(SaveDebouncer, SavesAtLeastOnceInAWhileWhileChangesKeepComing) {
    TimerQueue timers;
    int saves = 0;
    SaveDebouncer debouncer(timers, [&] { ++saves; });
    const TimePoint t0 = TimePoint(std::chrono::seconds(50));
    // A change every 2 ms for 3 s, as while flashing a whole area.
    for (int ms = 0; ms < 3000; ms += 2) {
        const TimePoint now = t0 + std::chrono::milliseconds(ms);
        timers.RunDue(now);
        debouncer.Changed(now);
    }
    EXPECT_GE(saves, 2);
    EXPECT_LE(saves, 3);
}

}  // namespace
}  // namespace varnel::sim
