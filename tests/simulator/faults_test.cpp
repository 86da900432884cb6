#include "faults.h"

#include <gtest/gtest.h>

namespace varnel::sim {
namespace {

using std::chrono::milliseconds;

TEST(FaultRuleParsing, AcceptsEveryKindAndFormatsItBack) {
    struct Case {
        const char* text;
        FaultRule rule;
    };
    const Case cases[] = {
        {"drop:3", {FaultKind::Drop, 3, 0}},
        {"stale:1", {FaultKind::Stale, 1, 0}},
        {"status0:2", {FaultKind::Status0, 2, 0}},
        {"unplug-after:5", {FaultKind::UnplugAfter, 5, 0}},
        {"verify-mismatch:4", {FaultKind::VerifyMismatch, 4, 0}},
        {"delay:250", {FaultKind::Delay, 0, 250}},
        {"delay:40:3", {FaultKind::Delay, 3, 40}},
        {"clear", {FaultKind::Clear, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FaultParseResult parsed = ParseFaultRule(c.text);
        ASSERT_TRUE(parsed.rule) << parsed.error;
        EXPECT_EQ(*parsed.rule, c.rule);
        EXPECT_EQ(FormatFaultRule(*parsed.rule), c.text);
    }
    EXPECT_EQ(ParseFaultRule("drop:0x10").rule, (FaultRule{FaultKind::Drop, 16, 0}));
}

TEST(FaultRuleParsing, RejectsMalformedRulesWithAMessage) {
    const char* const bad[] = {
        "",
        "drop",
        "drop:",
        "drop:0",
        "drop:-1",
        "drop:1x",
        "drop: 1",
        "drop:1:2",
        "DROP:1",
        "stale",
        "status0:abc",
        "unplug-after",
        "delay",
        "delay:0",
        "delay:10:0",
        "delay:1:2:3",
        "delay::2",
        "clear:1",
        "jitter:1",
        "drop:99999999999",
        "verify-mismatch",
        "verify-mismatch:0",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        const FaultParseResult parsed = ParseFaultRule(text);
        EXPECT_FALSE(parsed.rule);
        EXPECT_NE(parsed.error.find(std::string("'") + text + "'"), std::string::npos)
            << parsed.error;
    }
}

FaultSet With(std::initializer_list<const char*> rules) {
    FaultSet faults;
    for (const char* text : rules) faults.Apply(*ParseFaultRule(text).rule);
    return faults;
}

TEST(FaultEffects, CountedFaultsHitExactlyTheNextN) {
    FaultSet faults = With({"drop:2", "status0:1"});
    EXPECT_FALSE(faults.OnRequest().carryOut);
    EXPECT_TRUE(faults.OnRequest().carryOut);
    EXPECT_TRUE(faults.OnReply().drop);
    EXPECT_TRUE(faults.OnReply().drop);
    EXPECT_FALSE(faults.OnReply().drop);
    EXPECT_TRUE(faults.Describe().empty());
}

TEST(FaultEffects, UnplugHitsTheNthRequestOnly) {
    FaultSet faults = With({"unplug-after:3"});
    EXPECT_FALSE(faults.OnRequest().unplugWithoutReply);
    EXPECT_FALSE(faults.OnRequest().unplugWithoutReply);
    const RequestFate third = faults.OnRequest();
    EXPECT_TRUE(third.unplugWithoutReply);
    EXPECT_TRUE(third.carryOut);
    EXPECT_FALSE(faults.OnRequest().unplugWithoutReply);
}

TEST(FaultEffects, VerifyMismatchCountsOnlyApplicationFlashWrites) {
    FaultSet faults = With({"verify-mismatch:2"});
    EXPECT_FALSE(faults.OnRequest(false).badFlashCell);
    EXPECT_FALSE(faults.OnRequest(true).badFlashCell);
    EXPECT_FALSE(faults.OnRequest(false).badFlashCell);
    EXPECT_EQ(faults.Describe(), std::vector<std::string>{"verify-mismatch:1"});
    const RequestFate second = faults.OnRequest(true);
    EXPECT_TRUE(second.badFlashCell);
    EXPECT_TRUE(second.carryOut);
    EXPECT_FALSE(faults.OnRequest(true).badFlashCell);
    EXPECT_TRUE(faults.Describe().empty());
}

TEST(FaultEffects, DroppedRepliesUseUpNoStaleOrDelay) {
    FaultSet faults = With({"drop:1", "stale:1", "delay:7:1"});
    const ReplyFate dropped = faults.OnReply();
    EXPECT_TRUE(dropped.drop);
    EXPECT_FALSE(dropped.staleFirst);
    const ReplyFate sent = faults.OnReply();
    EXPECT_FALSE(sent.drop);
    EXPECT_TRUE(sent.staleFirst);
    EXPECT_EQ(sent.delay, milliseconds(7));
    const ReplyFate clean = faults.OnReply();
    EXPECT_FALSE(clean.staleFirst);
    EXPECT_EQ(clean.delay, milliseconds(0));
}

TEST(FaultEffects, DelayWithoutCountLastsUntilCleared) {
    FaultSet faults = With({"delay:30"});
    for (int i = 0; i < 100; ++i) ASSERT_EQ(faults.OnReply().delay, milliseconds(30));
    EXPECT_EQ(faults.Describe(), std::vector<std::string>{"delay:30"});
    faults.Apply({FaultKind::Clear});
    EXPECT_EQ(faults.OnReply().delay, milliseconds(0));
    EXPECT_TRUE(faults.Describe().empty());
}

TEST(FaultEffects, ANewRuleReplacesWhatRemainsOfItsKind) {
    FaultSet faults = With({"drop:5", "drop:1", "delay:9", "delay:4:2", "stale:2"});
    EXPECT_EQ(faults.Describe(), (std::vector<std::string>{"drop:1", "stale:2", "delay:4:2"}));
    EXPECT_TRUE(faults.OnReply().drop);
    EXPECT_EQ(faults.OnReply().delay, milliseconds(4));
    EXPECT_EQ(faults.Describe(), (std::vector<std::string>{"stale:1", "delay:4:1"}));
}

TEST(StaleReply, CannotBeMistakenForTheAnswer) {
    const Packet stale = StaleReply(0xF3);
    EXPECT_EQ(stale[0], 0x73);
    EXPECT_EQ(stale[1], 0x5A);
    EXPECT_EQ(stale[63], 0x5A);
    EXPECT_NE(StaleReply(0x07)[0], 0x07);
}

}  // namespace
}  // namespace varnel::sim
