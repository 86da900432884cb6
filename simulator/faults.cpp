#include "faults.h"

#include "number_parsing.h"

namespace varnel::sim {

namespace {

constexpr uint64_t kMaxCount = 1'000'000;
constexpr uint64_t kMaxDelayMs = 600'000;

struct FaultName {
    FaultKind kind;
    std::string_view name;
};
constexpr FaultName kNames[] = {
    {FaultKind::Drop, "drop"},
    {FaultKind::Stale, "stale"},
    {FaultKind::Status0, "status0"},
    {FaultKind::UnplugAfter, "unplug-after"},
    {FaultKind::VerifyMismatch, "verify-mismatch"},
    {FaultKind::Delay, "delay"},
    {FaultKind::Clear, "clear"},
};

std::string_view NameOf(FaultKind kind) {
    for (const FaultName& entry : kNames) {
        if (entry.kind == kind) return entry.name;
    }
    return "?";
}

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t colon = text.find(':');
        fields.push_back(text.substr(0, colon));
        if (colon == std::string_view::npos) return fields;
        text.remove_prefix(colon + 1);
    }
}

FaultParseResult Fail(std::string_view text, const std::string& why) {
    return {std::nullopt, "bad fault '" + std::string(text) + "': " + why};
}

std::optional<uint32_t> ParsePositive(std::string_view field, uint64_t max) {
    const auto value = ParseUnsigned(field, max);
    if (!value || *value == 0) return std::nullopt;
    return static_cast<uint32_t>(*value);
}

// Consumes one use of a counted fault; true when it applied.
bool Use(uint32_t& remaining) {
    if (remaining == 0) return false;
    --remaining;
    return true;
}

}  // namespace

FaultParseResult ParseFaultRule(std::string_view text) {
    const std::vector<std::string_view> fields = SplitFields(text);
    const FaultName* known = nullptr;
    for (const FaultName& entry : kNames) {
        if (entry.name == fields[0]) known = &entry;
    }
    if (known == nullptr) {
        return Fail(text,
                    "expected drop, stale, status0, unplug-after, verify-mismatch, delay or clear");
    }
    FaultRule rule;
    rule.kind = known->kind;
    const size_t arguments = fields.size() - 1;
    switch (rule.kind) {
        case FaultKind::Clear:
            if (arguments != 0) return Fail(text, "clear takes no count");
            return {rule, {}};
        case FaultKind::Delay: {
            if (arguments < 1 || arguments > 2)
                return Fail(text, "expected delay:MS or delay:MS:N");
            const auto ms = ParsePositive(fields[1], kMaxDelayMs);
            if (!ms) return Fail(text, "MS must be a whole number from 1 to 600000");
            rule.delayMs = *ms;
            if (arguments == 1) return {rule, {}};
            const auto count = ParsePositive(fields[2], kMaxCount);
            if (!count) return Fail(text, "N must be a whole number from 1 to 1000000");
            rule.count = *count;
            return {rule, {}};
        }
        default: {
            const std::string form = std::string(known->name) + ":N";
            if (arguments != 1) return Fail(text, "expected " + form);
            const auto count = ParsePositive(fields[1], kMaxCount);
            if (!count) return Fail(text, "N must be a whole number from 1 to 1000000");
            rule.count = *count;
            return {rule, {}};
        }
    }
}

std::string FormatFaultRule(const FaultRule& rule) {
    std::string text(NameOf(rule.kind));
    if (rule.kind == FaultKind::Clear) return text;
    if (rule.kind == FaultKind::Delay) {
        text += ":" + std::to_string(rule.delayMs);
        if (rule.count == 0) return text;
    }
    return text + ":" + std::to_string(rule.count);
}

void FaultSet::Apply(const FaultRule& rule) {
    switch (rule.kind) {
        case FaultKind::Drop:
            m_nDrop = rule.count;
            break;
        case FaultKind::Stale:
            m_nStale = rule.count;
            break;
        case FaultKind::Status0:
            m_nStatus0 = rule.count;
            break;
        case FaultKind::UnplugAfter:
            m_nUnplugAfter = rule.count;
            break;
        case FaultKind::VerifyMismatch:
            m_nVerifyMismatch = rule.count;
            break;
        case FaultKind::Delay:
            m_Delay = rule;
            break;
        case FaultKind::Clear:
            *this = FaultSet{};
            break;
    }
}

RequestFate FaultSet::OnRequest(bool programsApplicationFlash) {
    RequestFate fate;
    fate.carryOut = !Use(m_nStatus0);
    // Counters of "the Nth from now" reach zero exactly on the Nth request they count.
    fate.unplugWithoutReply = m_nUnplugAfter == 1;
    Use(m_nUnplugAfter);
    if (programsApplicationFlash) {
        fate.badFlashCell = m_nVerifyMismatch == 1;
        Use(m_nVerifyMismatch);
    }
    return fate;
}

ReplyFate FaultSet::OnReply() {
    ReplyFate fate;
    // A swallowed reply never reaches the wire, so it uses up no stale or delay fault.
    if (Use(m_nDrop)) {
        fate.drop = true;
        return fate;
    }
    fate.staleFirst = Use(m_nStale);
    if (m_Delay) {
        fate.delay = std::chrono::milliseconds(m_Delay->delayMs);
        if (m_Delay->count != 0 && --m_Delay->count == 0) m_Delay.reset();
    }
    return fate;
}

std::vector<std::string> FaultSet::Describe() const {
    std::vector<std::string> active;
    const std::pair<FaultKind, uint32_t> counted[] = {
        {FaultKind::Drop, m_nDrop},
        {FaultKind::Stale, m_nStale},
        {FaultKind::Status0, m_nStatus0},
        {FaultKind::UnplugAfter, m_nUnplugAfter},
        {FaultKind::VerifyMismatch, m_nVerifyMismatch}};
    for (const auto& [kind, remaining] : counted) {
        if (remaining != 0) active.push_back(FormatFaultRule({kind, remaining, 0}));
    }
    if (m_Delay) active.push_back(FormatFaultRule(*m_Delay));
    return active;
}

Packet StaleReply(uint8_t requestCode) {
    Packet stale;
    stale.fill(0x5A);
    stale[0] = static_cast<uint8_t>(requestCode ^ 0x80);
    return stale;
}

}  // namespace varnel::sim
