// The exchange procedures, run through the API object against a scripted keypad.
#include <gtest/gtest.h>

#include <cstring>

#include "device_test_fixture.h"
#include "lumo_api_library.h"

namespace varnel::testing {
namespace {

constexpr uint16_t kBootVid = 0x060B;
constexpr uint16_t kBootPid = 0x2320;

class ExchangeTest : public DeviceTest {
  protected:
    ExchangeTest() { m_Api.SetDeviceId(kAppVid, kAppPid); }

    void UseBootLoader() {
        Keypad().interfaces = {{"fake-boot", kBootVid, kBootPid, 0xFF00, 0x00, 0}};
    }

    CLumoAPILibrary m_Api;
};

TEST_F(ExchangeTest, QuerySkipsAStaleReplyAndDeliversTheAwaitedData) {
    RespondWith([](const Report&) {
        return std::vector<Report>{MakeReply({0x09, 0x03, 0xAA, 0xBB}),
                                   MakeReply({0xF3, 0x01, 0x11, 0x22, 0x33, 0x44})};
    });
    const uint8_t request[64] = {0xF3, 0x03, 0x03};
    uint8_t reply[64] = {};
    std::memset(reply, 0xEE, sizeof reply);
    ASSERT_TRUE(m_Api.Query(request, reply));
    EXPECT_EQ(reply[0], 0x11);
    EXPECT_EQ(reply[1], 0x22);
    EXPECT_EQ(reply[2], 0x33);
    EXPECT_EQ(reply[3], 0xEE) << "only as many bytes as request byte 1 asks for";
    ASSERT_EQ(Keypad().writes.size(), 1u);
    EXPECT_EQ(Keypad().writes[0][0], 0) << "report identifier";
    EXPECT_EQ(0, std::memcmp(Keypad().writes[0].data() + 1, request, 64));
}

TEST_F(ExchangeTest, QueryWithoutAnswerReturnsTrueAndLeavesTheBuffer) {
    const uint8_t request[64] = {0xF3, 0x04};
    uint8_t reply[64];
    std::memset(reply, 0x5A, sizeof reply);
    EXPECT_TRUE(m_Api.Query(request, reply));
    for (uint8_t b : reply) ASSERT_EQ(b, 0x5A);
}

TEST_F(ExchangeTest, QueryNeverCopiesPastTheReply) {
    EchoWithData({1, 2, 3});
    const uint8_t request[64] = {0xF3, 0xFF};  // asks for more than a reply carries
    uint8_t reply[80];
    std::memset(reply, 0x77, sizeof reply);
    ASSERT_TRUE(m_Api.Query(request, reply));
    EXPECT_EQ(reply[0], 1);
    EXPECT_EQ(reply[61], 0);
    EXPECT_EQ(reply[62], 0x77);
}

TEST_F(ExchangeTest, QueryFailsWithoutKeypadOrWhenTheWriteFails) {
    const uint8_t request[64] = {0xF3, 0x04};
    uint8_t reply[64] = {};
    Keypad().writeFails = true;
    EXPECT_FALSE(m_Api.Query(request, reply));
    Keypad().interfaces.clear();
    EXPECT_FALSE(m_Api.Query(request, reply));
}

TEST_F(ExchangeTest, BootQueryUsesTheBootLoaderIdentity) {
    EchoWithData({0x42});
    const uint8_t request[64] = {0xF3, 0x01, 0x03};
    uint8_t reply[64] = {};
    EXPECT_FALSE(m_Api.BootQuery(request, reply)) << "only the application is attached";
    EXPECT_TRUE(Keypad().openedPaths.empty());
    UseBootLoader();
    EXPECT_TRUE(m_Api.BootQuery(request, reply));
    EXPECT_EQ(reply[0], 0x42);
}

TEST_F(ExchangeTest, BootCommandWriteWithStatusZeroFailsEvenWhenTheDataMatch) {
    UseBootLoader();
    RespondWith([](const Report& request) {
        Report reply = request;  // data echoed exactly
        reply[2] = 0;            // status 0
        return std::vector<Report>{reply};
    });
    uint8_t request[64] = {0xF2, 4, 2, 0, 0, 0, 0, 0, 1, 2, 3, 4};
    EXPECT_EQ(m_Api.BootCommand(request), 0);
    EXPECT_EQ(m_Host.messages, std::vector<std::string>{"Write Verifyed Failed!"});
}

TEST_F(ExchangeTest, BootCommandWriteIsVerifiedOverAllDataBytes) {
    UseBootLoader();
    bool corrupt = false;
    RespondWith([&corrupt](const Report& request) {
        Report reply{};
        reply[1] = 0xF2;
        reply[2] = 1;
        std::copy(request.begin() + 9, request.begin() + 9 + 56, reply.begin() + 3);
        if (corrupt) reply[3 + 55] ^= 1;  // the 56th byte, the last one of the payload
        return std::vector<Report>{reply};
    });
    uint8_t request[64] = {0xF2, 56, 2};
    for (int i = 0; i < 56; ++i) request[8 + i] = static_cast<uint8_t>(i + 1);
    EXPECT_EQ(m_Api.BootCommand(request), 1);
    EXPECT_TRUE(m_Host.messages.empty());
    corrupt = true;
    EXPECT_EQ(m_Api.BootCommand(request), 0);
    EXPECT_EQ(m_Host.messages, std::vector<std::string>{"Write Verifyed Failed!"});
}

TEST_F(ExchangeTest, BootCommandReturnsByteOneForOtherRequests) {
    UseBootLoader();
    RespondWith([](const Report&) { return std::vector<Report>{MakeReply({0xF4, 2})}; });
    const uint8_t request[64] = {0xF4, 0x01};
    EXPECT_EQ(m_Api.BootCommand(request), 2);
    EXPECT_TRUE(m_Host.messages.empty());
}

TEST_F(ExchangeTest, BootCommandWithoutReplyShowsTheReadFailure) {
    UseBootLoader();
    const uint8_t request[64] = {0xF1, 0x02};
    EXPECT_EQ(m_Api.BootCommand(request), 0);
    ASSERT_EQ(m_Host.messages.size(), 1u);
    EXPECT_EQ(m_Host.messages[0], "ERROR: Read fail(" + std::to_string(ETIMEDOUT) + ")!");
}

TEST_F(ExchangeTest, CommandNeedsANonZeroStatusAndSendAnyReply) {
    struct Case {
        std::vector<Report> replies;
        bool command, send;
    };
    const Case cases[] = {
        {{MakeReply({0xF1, 1})}, true, true},
        {{MakeReply({0xF1, 0})}, false, true},
        {{}, false, false},
    };
    const uint8_t request[64] = {0xF1, 0x03};
    for (const Case& c : cases) {
        RespondWith([&c](const Report&) { return c.replies; });
        EXPECT_EQ(m_Api.Command(request), c.command);
        EXPECT_EQ(m_Api.Send(request), c.send);
    }
    EXPECT_EQ(Keypad().writes.size(), 6u) << "one write per exchange, no retries";
}

TEST_F(ExchangeTest, ReadVersionTakesReplyBytesOneToThreeOfTheMatchingReply) {
    RespondWith([](const Report&) {
        return std::vector<Report>{MakeReply({0x10, 9, 9, 9}), MakeReply({0xF0, 1, 0, 3})};
    });
    const uint8_t request[64] = {0xF0};
    uint8_t version[3] = {};
    ASSERT_TRUE(m_Api.ReadVersion(request, version));
    EXPECT_EQ(version[0], 1);
    EXPECT_EQ(version[1], 0);
    EXPECT_EQ(version[2], 3);
    RespondWith({});
    EXPECT_FALSE(m_Api.ReadVersion(request, version)) << "no matching reply";
}

TEST_F(ExchangeTest, QueryInfoReadsBothReplyForms) {
    struct Case {
        const char* name;
        std::vector<uint8_t> request;
        Report reply;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        // Code 'I': request byte 1 bytes, from reply byte 2.
        {"form I", {0x49, 3}, MakeReply({0x49, 0, 7, 8, 9, 10}), {7, 8, 9}},
        // Another code: request byte 2 bytes, from reply byte 3; a form-I reply also answers.
        {"echo", {0xF5, 0x07, 0x04}, MakeReply({0xF5, 0x07, 0x04, 1, 2, 3, 4, 5}), {1, 2, 3, 4}},
        {"form I for another code", {0xF5, 0x07, 0x02}, MakeReply({0x49, 0, 5, 6, 7}), {5, 6}},
    };
    for (const Case& c : cases) {
        RespondWith([&c](const Report&) {
            return std::vector<Report>{MakeReply({0x33, 0x44}), c.reply};
        });
        uint8_t request[64] = {};
        std::copy(c.request.begin(), c.request.end(), request);
        uint8_t reply[64];
        std::memset(reply, 0xEE, sizeof reply);
        ASSERT_TRUE(m_Api.QueryInfo(request, reply)) << c.name;
        EXPECT_EQ(std::vector<uint8_t>(reply, reply + c.expected.size()), c.expected) << c.name;
        EXPECT_EQ(reply[c.expected.size()], 0xEE) << c.name;
    }
    RespondWith({});
    uint8_t request[64] = {0xF5, 0x07, 0x04};
    uint8_t reply[64] = {};
    EXPECT_FALSE(m_Api.QueryInfo(request, reply));
}

TEST_F(ExchangeTest, QueryDeviceGivesByteOneAndPausesFortyMillisecondsEvenWithoutKeypad) {
    RespondWith([](const Report& request) {
        return std::vector<Report>{MakeReply({request[1], 0x37})};
    });
    EXPECT_EQ(m_Api.QueryDevice(0x10), 0x37);
    EXPECT_EQ(m_Pauses, std::vector<unsigned>{40});
    Keypad().interfaces.clear();
    EXPECT_EQ(m_Api.QueryDevice(0x10), 0);
    EXPECT_EQ(m_Pauses, (std::vector<unsigned>{40, 40}));
}

TEST_F(ExchangeTest, QueryDevice2SendsCodeAndArgumentWithoutPause) {
    RespondWith([](const Report& request) {
        return std::vector<Report>{MakeReply({request[1], 5})};
    });
    EXPECT_EQ(m_Api.QueryDevice2(0x09, 0xFF), 5);
    ASSERT_EQ(Keypad().writes.size(), 1u);
    EXPECT_EQ(Keypad().writes[0][1], 0x09);
    EXPECT_EQ(Keypad().writes[0][2], 0xFF);
    EXPECT_TRUE(m_Pauses.empty());
    RespondWith({});
    EXPECT_EQ(m_Api.QueryDevice2(0x09, 0xFF), 0);
}

TEST_F(ExchangeTest, SendDeviceCommandsPauseFiveHundredMillisecondsAfterTheirRequest) {
    RespondWith([](const Report& request) {
        return std::vector<Report>{MakeReply({request[1], 1})};
    });
    m_Api.SendDeviceCommand(0x07);
    m_Api.SendDeviceCommand2(0x09, 4);
    Keypad().interfaces.clear();
    m_Api.SendDeviceCommand(0x07);
    EXPECT_EQ(m_Pauses, (std::vector<unsigned>{500, 500, 500}));
    ASSERT_EQ(Keypad().writes.size(), 2u);
    EXPECT_EQ(Keypad().writes[0][1], 0x07);
    EXPECT_EQ(Keypad().writes[1][1], 0x09);
    EXPECT_EQ(Keypad().writes[1][2], 4);
}

TEST_F(ExchangeTest, MissingBuffersFailBeforeAnythingIsSent) {
    const uint8_t request[64] = {0xF3, 0x04};
    uint8_t reply[64] = {};
    EXPECT_FALSE(m_Api.Query(nullptr, reply));
    EXPECT_FALSE(m_Api.Query(request, nullptr));
    EXPECT_FALSE(m_Api.BootQuery(request, nullptr));
    EXPECT_FALSE(m_Api.QueryInfo(request, nullptr));
    EXPECT_FALSE(m_Api.ReadVersion(request, nullptr));
    EXPECT_FALSE(m_Api.Command(nullptr));
    EXPECT_FALSE(m_Api.Send(nullptr));
    EXPECT_EQ(m_Api.BootCommand(nullptr), 0);
    EXPECT_FALSE(m_Api.IsDevicePresent(nullptr));
    EXPECT_TRUE(Keypad().writes.empty());
}

}  // namespace
}  // namespace varnel::testing
