#include "sim_server.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <thread>

#include "state_file.h"
#include "stored_image_builders.h"

namespace varnel::sim {
namespace {

namespace fs = std::filesystem;
using sockproto::MessageType;

// Generous: these bound how long a broken server can hang the test, they are not measured.
constexpr int kPatienceMs = 5000;

// One client connection to the simulator, speaking the frame protocol.
class Client {
  public:
    explicit Client(const std::string& socketPath)
        : m_Fd(sockproto::ConnectUnixSocket(socketPath)) {}
    ~Client() {
        if (m_Fd >= 0) ::close(m_Fd);
    }
    bool Connected() const { return m_Fd >= 0; }

    void Send(MessageType type, const std::vector<uint8_t>& payload) {
        ASSERT_TRUE(
            sockproto::SendAll(m_Fd, sockproto::EncodeFrame(type, payload.data(), payload.size())));
    }
    void Send(MessageType type, const std::string& text) {
        Send(type, std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::optional<sockproto::Frame> Receive() {
        return sockproto::ReceiveFrame(m_Fd, m_Decoder, kPatienceMs);
    }
    // True once the server closed the connection (end of stream, not a time-out).
    bool ClosedByServer() {
        pollfd pfd{m_Fd, POLLIN, 0};
        if (::poll(&pfd, 1, kPatienceMs) != 1) return false;
        uint8_t byte = 0;
        return ::recv(m_Fd, &byte, 1, 0) == 0;
    }

    std::vector<sockproto::InterfaceRecord> Enumerate() {
        Send(MessageType::Enumerate, std::vector<uint8_t>{});
        const auto frame = Receive();
        if (!frame || frame->type != MessageType::Interfaces) return {};
        return sockproto::DecodeInterfaces(frame->payload)
            .value_or(std::vector<sockproto::InterfaceRecord>{});
    }
    bool Open(const std::string& path) {
        Send(MessageType::Open, path);
        const auto frame = Receive();
        return frame && frame->type == MessageType::Opened && frame->payload.size() == 1 &&
               frame->payload[0] == 1;
    }
    // Sends a request and returns the 64 bytes of the next report that comes back.
    std::vector<uint8_t> Exchange(std::initializer_list<uint8_t> request) {
        return Exchange(std::vector<uint8_t>(request));
    }
    std::vector<uint8_t> Exchange(const std::vector<uint8_t>& request) {
        std::vector<uint8_t> report(sockproto::kReportSize, 0);
        std::copy(request.begin(), request.end(), report.begin() + 1);
        Send(MessageType::Report, report);
        const auto frame = Receive();
        if (!frame || frame->type != MessageType::Report || frame->payload.size() != 65) return {};
        return {frame->payload.begin() + 1, frame->payload.end()};
    }
    std::pair<bool, std::string> Control(const std::string& line) {
        Send(MessageType::Control, line);
        const auto frame = Receive();
        if (!frame || frame->type != MessageType::ControlReply || frame->payload.empty()) {
            return {false, "no control reply"};
        }
        return {frame->payload[0] == 0,
                std::string(frame->payload.begin() + 1, frame->payload.end())};
    }
    std::string NextEvent() {
        const auto frame = Receive();
        if (!frame || frame->type != MessageType::Event) return "no event";
        return std::string(frame->payload.begin(), frame->payload.end());
    }

  private:
    int m_Fd;
    sockproto::FrameDecoder m_Decoder;
};

std::vector<uint8_t> Prefix(std::initializer_list<uint8_t> bytes) {
    std::vector<uint8_t> packet(64, 0);
    std::copy(bytes.begin(), bytes.end(), packet.begin());
    return packet;
}

class SimServerTest : public testing::Test {
  protected:
    void SetUp() override {
        static int serial = 0;
        directory = fs::temp_directory_path() /
                    ("vks-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::create_directories(directory);
        options.socketPath = (directory / "sim.sock").string();
        options.restartDelay = std::chrono::milliseconds(20);
    }
    void TearDown() override {
        Stop();
        server.reset();
        fs::remove_all(directory);
    }

    void Start() {
        server = std::make_unique<SimServer>(
            options, DeviceModel(kDefaultApplicationIdentity, PersistentState{}));
        std::string error;
        ASSERT_TRUE(server->Listen(error)) << error;
        runner = std::thread([this] { runResult = server->Run(); });
    }
    void Stop() {
        if (!runner.joinable()) return;
        server->RequestStop();
        runner.join();
    }
    std::string VendorPath() {
        Client client(options.socketPath);
        const auto interfaces = client.Enumerate();
        return interfaces.empty() ? std::string() : interfaces.back().path;
    }

    fs::path directory;
    ServerOptions options;
    std::unique_ptr<SimServer> server;
    std::thread runner;
    bool runResult = false;
};

TEST_F(SimServerTest, EnumerateOpenExchangeAndUnplugClosingTheOpenConnection) {
    Start();
    Client events(options.socketPath);
    events.Send(MessageType::Subscribe, std::vector<uint8_t>{});

    Client lister(options.socketPath);
    const auto interfaces = lister.Enumerate();
    ASSERT_EQ(interfaces.size(), 4u);
    EXPECT_EQ(interfaces.back().usagePage, 0xFF00);

    Client device(options.socketPath);
    ASSERT_TRUE(device.Open(interfaces.back().path));
    // A report of the wrong size is ignored, so the first reply answers the second request.
    device.Send(MessageType::Report, std::vector<uint8_t>(64, 0));
    EXPECT_EQ(device.Exchange({0xF0}), Prefix({0xF0, 1, 0, 3}));

    Client absent(options.socketPath);
    EXPECT_FALSE(absent.Open("\\\\?\\HID#VID_1C6C&PID_C008&MI_04#nothing"));

    Client control(options.socketPath);
    EXPECT_EQ(control.Control("unplug"), std::make_pair(true, std::string("unplugged\n")));
    EXPECT_TRUE(device.ClosedByServer());
    for (const auto& interface : interfaces)
        EXPECT_EQ(events.NextEvent(), "removal " + interface.path);
    EXPECT_TRUE(Client(options.socketPath).Enumerate().empty());

    EXPECT_TRUE(control.Control("plug").first);
    for (const auto& interface : interfaces)
        EXPECT_EQ(events.NextEvent(), "arrival " + interface.path);
    Client again(options.socketPath);
    ASSERT_TRUE(again.Open(interfaces.back().path));
    EXPECT_EQ(again.Exchange({0x10}), Prefix({0x10, 1}));
}

TEST_F(SimServerTest, RestartRepliesThenClosesAndComesBackAsBootLoader) {
    options.timing = TimingModel::UsbFullSpeed;
    Start();
    Client events(options.socketPath);
    events.Send(MessageType::Subscribe, std::vector<uint8_t>{});
    Client device(options.socketPath);
    ASSERT_TRUE(device.Open(VendorPath()));

    EXPECT_EQ(device.Exchange({0xF4, 0x01}), Prefix({0xF4, 1}));
    EXPECT_TRUE(device.ClosedByServer());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(events.NextEvent().rfind("removal ", 0), 0u);
    const std::string arrival = events.NextEvent();
    EXPECT_EQ(arrival.rfind("arrival \\\\?\\HID#VID_060B&PID_2320#", 0), 0u) << arrival;

    const auto interfaces = Client(options.socketPath).Enumerate();
    ASSERT_EQ(interfaces.size(), 1u);
    Client bootLoader(options.socketPath);
    ASSERT_TRUE(bootLoader.Open(interfaces[0].path));
    EXPECT_EQ(bootLoader.Exchange({0xF0}), Prefix({0xF0, 0}));
}

TEST_F(SimServerTest, FirmwareUpdateThroughTheBootLoaderComesBackWithTheImagesVersion) {
    Start();
    Client events(options.socketPath);
    events.Send(MessageType::Subscribe, std::vector<uint8_t>{});
    const auto waitForArrivals = [&](int count) {
        for (int seen = 0; seen < count;) {
            const std::string event = events.NextEvent();
            ASSERT_NE(event, "no event");
            if (event.rfind("arrival ", 0) == 0) ++seen;
        }
    };
    Client application(options.socketPath);
    ASSERT_TRUE(application.Open(VendorPath()));
    EXPECT_EQ(application.Exchange({0xF4, 0x01}), Prefix({0xF4, 1}));
    waitForArrivals(1);

    Client bootLoader(options.socketPath);
    ASSERT_TRUE(bootLoader.Open(VendorPath()));
    EXPECT_EQ(bootLoader.Exchange({0xF1, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}), Prefix({0xF1, 1}));
    const std::vector<uint8_t> written = Prefix(
        {0xF2, 1, 'V', 'A', 'R', 'N', 'E', 'L', 'F', 'W', 2, 1, 5});  // the reply form of the write
    EXPECT_EQ(bootLoader.Exchange(
                  {0xF2, 11, 2, 0, 0x10, 0, 0, 0, 'V', 'A', 'R', 'N', 'E', 'L', 'F', 'W', 2, 1, 5}),
              written);
    EXPECT_EQ(bootLoader.Exchange({0xF4, 0x01}), Prefix({0xF4, 1}));
    EXPECT_TRUE(bootLoader.ClosedByServer());
    waitForArrivals(4);

    Client updated(options.socketPath);
    ASSERT_TRUE(updated.Open(VendorPath()));
    EXPECT_EQ(updated.Exchange({0xF0}), Prefix({0xF0, 2, 1, 5}));
    const std::string state = Client(options.socketPath).Control("state").second;
    EXPECT_NE(state.find("mode: application\n"), std::string::npos) << state;
    EXPECT_NE(state.find("application image: version 2.15 (2.1.5)\n"), std::string::npos) << state;
}

TEST_F(SimServerTest, ControlLinesReportStateAndRejectBadFaults) {
    options.faults.push_back({FaultKind::Drop, 2, 0});
    Start();
    Client control(options.socketPath);
    const auto [ok, json] = control.Control("state --json");
    EXPECT_TRUE(ok);
    EXPECT_NE(json.find("\"mode\":\"application\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"faults\":[\"drop:2\"]"), std::string::npos) << json;

    const auto [faultOk, message] = control.Control("fault drop:zero");
    EXPECT_FALSE(faultOk);
    EXPECT_NE(message.find("drop:zero"), std::string::npos) << message;
    EXPECT_FALSE(control.Control("wiggle").first);
    EXPECT_NE(control.Control("state").second.find("faults: drop:2\n"), std::string::npos);
}

TEST_F(SimServerTest, PressPlaysAKeyThroughTheKeyMapTheHostWrote) {
    Start();
    Client device(options.socketPath);
    ASSERT_TRUE(device.Open(VendorPath()));
    // Key 5 (trigger byte 1 bit 3) sends Left Ctrl + C; written in 56-byte chunks as the host does.
    const std::vector<uint8_t> keyMap =
        testing_images::BuildKeyMap({{{{0x00, 0x08, 0x00}, {{5, 5}, {9, 4}}}}});
    for (size_t offset = 0; offset < keyMap.size(); offset += 56) {
        const size_t length = std::min<size_t>(56, keyMap.size() - offset);
        std::vector<uint8_t> request = {0xF2, static_cast<uint8_t>(length), 3, 0};
        for (int i = 0; i < 4; ++i)
            request.push_back(static_cast<uint8_t>((0x1F000 + offset) >> (8 * i)));
        request.insert(request.end(), keyMap.begin() + offset, keyMap.begin() + offset + length);
        ASSERT_EQ(device.Exchange(request)[1], 1) << offset;
    }

    Client control(options.socketPath);
    const auto [ok, text] = control.Control("press 5");
    EXPECT_TRUE(ok);
    EXPECT_NE(text.find("keyboard: Left Ctrl + C (HID modifiers 0x01, usages 0x06)\n"),
              std::string::npos)
        << text;
    const auto [jsonOk, json] = control.Control("press index:13 --json");
    EXPECT_TRUE(jsonOk);
    EXPECT_NE(json.find("\"key\":\"4\",\"index\":13,\"kinds\":[\"default\"]"), std::string::npos)
        << json;
    const auto [badOk, message] = control.Control("press F13");
    EXPECT_FALSE(badOk);
    EXPECT_NE(message.find("unknown key 'F13'"), std::string::npos) << message;
}

TEST_F(SimServerTest, StopVerbEndsTheServerAndSavesTheState) {
    options.statePath = (directory / "keypad.state").string();
    Start();
    Client device(options.socketPath);
    ASSERT_TRUE(device.Open(VendorPath()));
    EXPECT_EQ(device.Exchange({0x09, 5})[1], 1);
    EXPECT_TRUE(Client(options.socketPath).Control("stop").first);
    runner.join();
    EXPECT_TRUE(runResult);

    const StateFileLoad loaded = LoadStateFile(*options.statePath);
    ASSERT_EQ(loaded.status, StateFileLoad::Status::Loaded) << loaded.error;
    EXPECT_EQ(loaded.state->step, 5);
}

TEST_F(SimServerTest, ListenRefusesALiveSocketAndReplacesAStaleOne) {
    // A socket file left behind by a process that died without removing it.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, options.socketPath.c_str());
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(stale);

    Start();
    EXPECT_EQ(Client(options.socketPath).Enumerate().size(), 4u);

    SimServer second(options, DeviceModel(kDefaultApplicationIdentity, PersistentState{}));
    std::string error;
    EXPECT_FALSE(second.Listen(error));
    EXPECT_NE(error.find("already listening"), std::string::npos) << error;
    EXPECT_EQ(Client(options.socketPath).Enumerate().size(), 4u);
}

}  // namespace
}  // namespace varnel::sim
