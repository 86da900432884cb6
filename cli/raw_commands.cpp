// raw: one exchange procedure with a request given in hexadecimal.
#include <algorithm>
#include <map>

#include "cli_error.h"
#include "commands.h"
#include "hex_bytes.h"

namespace varnelctl {

namespace {

enum class RawKind { Query, Command, Send, BootQuery, BootCommand };

const std::map<std::string, RawKind> kRawKinds = {
    {"query", RawKind::Query},
    {"command", RawKind::Command},
    {"send", RawKind::Send},
    {"boot-query", RawKind::BootQuery},
    {"boot-command", RawKind::BootCommand},
};

constexpr size_t kRequestSize = 64;
// A query returns as many data bytes as request byte 1 asks for, from reply byte 2 on.
constexpr size_t kMaxQueryData = 62;

int PrintQueryData(CliContext& context, const uint8_t* request, const uint8_t* reply) {
    const size_t count = std::min<size_t>(request[1], kMaxQueryData);
    std::string text = FormatHexSpaced(reply, count);
    if (count == 0) text = "(no data bytes asked for: byte 1 of the request is the count)";
    context.Print(text, JsonObject().Add("data", FormatHexCompact(reply, count)));
    return kExitSuccess;
}

}  // namespace

int RunRaw(CliContext& context, const Arguments& args) {
    if (args.empty() || !kRawKinds.count(args[0])) {
        throw UsageError("raw needs one of query, command, send, boot-query, boot-command");
    }
    const RawKind kind = kRawKinds.at(args[0]);
    std::string error;
    const auto bytes = ParseHexBytes(Arguments(args.begin() + 1, args.end()), &error);
    if (!bytes) throw UsageError(error);
    if (bytes->empty()) throw UsageError("raw " + args[0] + " needs the request bytes");
    if (bytes->size() > kRequestSize) throw UsageError("a request holds at most 64 bytes");

    uint8_t request[kRequestSize] = {};
    std::copy(bytes->begin(), bytes->end(), request);
    uint8_t reply[kRequestSize] = {};
    const bool boot = kind == RawKind::BootQuery || kind == RawKind::BootCommand;
    boot ? context.RequireBootLoader() : context.RequireApplication();

    CLumoApi* api = context.api;
    switch (kind) {
        case RawKind::Query:
        case RawKind::BootQuery: {
            const bool sent = boot ? api->BootQuery(request, reply) : api->Query(request, reply);
            if (!sent) throw DeviceError("The request could not be sent to the keypad.");
            return PrintQueryData(context, request, reply);
        }
        case RawKind::Command:
        case RawKind::Send: {
            const bool ok = kind == RawKind::Command ? api->Command(request) : api->Send(request);
            if (!ok) {
                throw DeviceError(kind == RawKind::Command
                                      ? "The keypad refused the command or did not answer."
                                      : "The keypad did not answer.");
            }
            context.Print("ok", JsonObject().Add("ok", true));
            return kExitSuccess;
        }
        case RawKind::BootCommand: {
            const int result = api->BootCommand(request);
            context.Print("result " + std::to_string(result), JsonObject().Add("result", result));
            return result != 0 ? kExitSuccess : kExitDeviceError;
        }
    }
    return kExitUsage;
}

}  // namespace varnelctl
