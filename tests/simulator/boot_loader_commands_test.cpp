// The keypad in its boot loader: what a firmware update sends it, and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boot_data_block.h"
#include "device_model.h"
#include "request_builders.h"

namespace varnel::sim {
namespace {

using namespace testing_requests;
using std::chrono::milliseconds;

constexpr uint8_t kChunk = 56;

// An application image of `size` bytes in a recognisable pattern, with the version marker
// "VARNELFW" 2.1.5 at `markerAt` when given.
std::vector<uint8_t> Image(size_t size, std::optional<size_t> markerAt) {
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    if (markerAt) {
        const std::string record = std::string("VARNELFW") + '\x02' + '\x01' + '\x05';
        std::copy(record.begin(), record.end(), image.begin() + static_cast<ptrdiff_t>(*markerAt));
    }
    return image;
}

class BootLoaderTest : public testing::Test {
  protected:
    BootLoaderTest() {
        PersistentState state;
        state.mode = KeypadMode::BootLoader;
        state.firmware = {1, 0, 3};
        model.emplace(kDefaultApplicationIdentity, std::move(state));
    }
    CommandResult Handle(const Packet& request, CellHealth cells = CellHealth::Good) {
        return model->Handle(request, cells);
    }
    // Writes the image in chunks as the host does; returns the offset of the first write whose
    // reply is not status 1 with the data sent, or nothing when every chunk verified.
    std::optional<size_t> Program(const std::vector<uint8_t>& image) {
        for (size_t offset = 0; offset < image.size(); offset += kChunk) {
            const auto chunk = std::span<const uint8_t>(image).subspan(
                offset, std::min<size_t>(kChunk, image.size() - offset));
            const Packet reply = Handle(MakeWrite(2, static_cast<uint32_t>(offset), chunk)).reply;
            if (reply[0] != 0xF2 || reply[1] != 1 ||
                ReplyData(reply, chunk.size()) != std::vector<uint8_t>(chunk.begin(), chunk.end()))
                return offset;
        }
        return std::nullopt;
    }
    std::vector<uint8_t> ApplicationFlash(size_t size) const {
        const auto bytes = model->State().applicationFlash.Bytes();
        return {bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(size)};
    }

    std::optional<DeviceModel> model;
};

TEST_F(BootLoaderTest, ErasedAndProgrammedImageBringsItsVersionBackIntoTheApplication) {
    const std::vector<uint8_t> image = Image(1000, 600);
    const CommandResult erase = Handle(MakeErase(2, 0, 0x10000));
    EXPECT_EQ(erase.reply, Bytes({0xF1, 1}));
    EXPECT_EQ(Program(image), std::nullopt);
    EXPECT_EQ(ApplicationFlash(1000), image);

    const CommandResult restart = Handle(Bytes({0xF4, 0x01}));
    EXPECT_EQ(restart.reply, Bytes({0xF4, 1}));
    EXPECT_EQ(restart.restartInto, KeypadMode::Application);
    EXPECT_EQ(model->Interfaces().size(), 4u);
    EXPECT_EQ(Handle(Bytes({0xF0})).reply, Bytes({0xF0, 2, 1, 5}));
}

TEST_F(BootLoaderTest, WriteWithoutEraseRepliesWithWhatTheFlashHoldsSoVerificationFails) {
    ASSERT_EQ(Program(Image(200, std::nullopt)), std::nullopt);
    std::vector<uint8_t> other = Image(200, std::nullopt);
    for (uint8_t& byte : other) byte = static_cast<uint8_t>(~byte);
    EXPECT_EQ(Program(other), 0u);
    // After an erase the same image goes in cleanly.
    Handle(MakeErase(2, 0, 0x800));
    EXPECT_EQ(Program(other), std::nullopt);
}

TEST_F(BootLoaderTest, BadCellSpoilsTheWriteAndStaysUntilErased) {
    const Packet request = MakeWrite(2, 0x38, {0x10, 0x20, 0x30});
    const Packet reply = Handle(request, CellHealth::Bad).reply;
    EXPECT_EQ(reply, Bytes({0xF2, 1, 0x11, 0x20, 0x30}));
    EXPECT_EQ(ApplicationFlash(0x3B).back(), 0x30);
    EXPECT_EQ(ApplicationFlash(0x39).back(), 0x11);
    Handle(MakeErase(2, 0, 0x800));
    EXPECT_EQ(Handle(request).reply, Bytes({0xF2, 1, 0x10, 0x20, 0x30}));
}

TEST_F(BootLoaderTest, EraseTakesFortyMillisecondsPerStartedPage) {
    struct Case {
        uint32_t start;
        uint32_t size;
        milliseconds busy;
    };
    const Case cases[] = {
        {0, 1, milliseconds(40)},         {0, 0x800, milliseconds(40)},
        {0, 0x801, milliseconds(80)},     {0x800, 0x1800, milliseconds(120)},
        {0, 0x10000, milliseconds(1280)}, {0, 0x1F000, milliseconds(2480)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size);
        const CommandResult result = Handle(MakeErase(2, c.start, c.size));
        EXPECT_EQ(result.reply, Bytes({0xF1, 1}));
        EXPECT_EQ(result.busy, c.busy);
    }
    const CommandResult refused = Handle(MakeErase(2, 0, 0x1F001));
    EXPECT_EQ(refused.reply, Bytes({0xF1, 0}));
    EXPECT_EQ(refused.busy, milliseconds(0));
}

TEST_F(BootLoaderTest, ImageWithoutMarkerKeepsTheVersion) {
    Handle(MakeErase(2, 0, 0x10000));
    ASSERT_EQ(Program(Image(300, std::nullopt)), std::nullopt);
    Handle(Bytes({0xF4, 0x01}));
    EXPECT_EQ(Handle(Bytes({0xF0})).reply, Bytes({0xF0, 1, 0, 3}));
}

TEST_F(BootLoaderTest, ReadsTheDataBlockAndRefusesEverythingElse) {
    PersistentState state;
    state.mode = KeypadMode::BootLoader;
    PutBootDataIdentity(state.dataArea, kDefaultApplicationIdentity, BootDataLayout::Head);
    model.emplace(kDefaultApplicationIdentity, std::move(state));
    const Packet read = Handle(MakeRead(3, 0x1F000, 4)).reply;
    EXPECT_EQ(read, Bytes({0xF3, 1, 0x08, 0xC0, 0x6C, 0x1C}));

    const Packet refused[] = {
        MakeRead(1, 0x100000, 1),
        MakeRead(2, 0, 1),
        MakeWrite(1, 0x100000, {0}),
        MakeWrite(3, 0x1F000, {0}),
        MakeErase(1, 0, 0x1000),
        MakeErase(3, 0x1F000, 16),
        MakeWrite(2, 0x1F000, {0}),
        MakeWrite(2, 0x1EFFF, {0, 0}),
        Bytes({0xF0}),
        Bytes({0x07}),
        Bytes({0x09, 0xFF}),
        Bytes({0xF4, 2}),
    };
    for (const Packet& request : refused) {
        SCOPED_TRACE(testing::Message() << "code " << int(request[0]) << " area "
                                        << int(request[0] == 0xF1 ? request[1] : request[2]));
        const CommandResult result = Handle(request);
        EXPECT_EQ(result.reply, Bytes({request[0], 0}));
        EXPECT_FALSE(result.restartInto);
    }
    EXPECT_EQ(model->State().dataArea.ProgrammedByteCount(), 4u);
    EXPECT_EQ(model->State().applicationFlash.ProgrammedByteCount(), 0u);
    EXPECT_EQ(model->Revision(), 0u);
}

TEST(BootLoaderModel, OnlyBootLoaderWritesOfApplicationFlashCountAsProgramming) {
    PersistentState state;
    DeviceModel model(kDefaultApplicationIdentity, state);
    EXPECT_FALSE(model.ProgramsApplicationFlash(MakeWrite(2, 0, {0})));
    model.Handle(Bytes({0xF4, 0x01}));
    EXPECT_TRUE(model.ProgramsApplicationFlash(MakeWrite(2, 0, {0})));
    EXPECT_FALSE(model.ProgramsApplicationFlash(MakeWrite(3, 0, {0})));
    EXPECT_FALSE(model.ProgramsApplicationFlash(MakeErase(2, 0, 0x800)));
}

}  // namespace
}  // namespace varnel::sim
