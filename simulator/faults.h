// Injected faults: what goes wrong with the next requests and replies, and how rules are written.
//
//   drop:N          swallow the next N replies (the requests are still carried out)
//   stale:N         send a stale report before each of the next N replies
//   status0:N       refuse the next N requests: not carried out, reply status 0
//   unplug-after:N  unplug on the Nth request from now, which is carried out but not answered
//   verify-mismatch:N  the Nth boot-loader write of application flash from now meets a bad cell:
//                   the flash keeps a wrong bit and the write's reply shows it
//   delay:MS        delay every reply by MS milliseconds until cleared
//   delay:MS:N      delay the next N replies by MS milliseconds
//   clear           remove all faults
// A rule replaces what remains of an earlier fault of the same kind.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "packet.h"

namespace varnel::sim {

enum class FaultKind { Drop, Stale, Status0, UnplugAfter, VerifyMismatch, Delay, Clear };

struct FaultRule {
    FaultKind kind = FaultKind::Clear;
    uint32_t count = 0;  // for delay, 0 means every reply until cleared
    uint32_t delayMs = 0;
    bool operator==(const FaultRule&) const = default;
};

struct FaultParseResult {
    std::optional<FaultRule> rule;
    std::string error;  // set when rule is empty
};

FaultParseResult ParseFaultRule(std::string_view text);
std::string FormatFaultRule(const FaultRule& rule);

// What the keypad does with one request it received.
struct RequestFate {
    bool carryOut = true;
    bool unplugWithoutReply = false;
    bool badFlashCell = false;
};

// What happens to one reply on its way to the host.
struct ReplyFate {
    bool drop = false;
    bool staleFirst = false;
    std::chrono::milliseconds delay{0};
};

class FaultSet {
  public:
    void Apply(const FaultRule& rule);
    // Each call consumes one use of the faults that apply. `programsApplicationFlash` is true
    // for a boot-loader write of application flash, the requests verify-mismatch counts.
    RequestFate OnRequest(bool programsApplicationFlash = false);
    ReplyFate OnReply();
    // The active faults as rules holding what remains of them.
    std::vector<std::string> Describe() const;

  private:
    uint32_t m_nDrop = 0;
    uint32_t m_nStale = 0;
    uint32_t m_nStatus0 = 0;
    uint32_t m_nUnplugAfter = 0;
    uint32_t m_nVerifyMismatch = 0;
    std::optional<FaultRule> m_Delay;
};

// A report that answers some other request: byte 0 is the request's code XOR 0x80, the rest 0x5A.
Packet StaleReply(uint8_t requestCode);

}  // namespace varnel::sim
