// list, info and step: what is attached, its firmware version and its active step.
#include <cstdio>

#include "cli_error.h"
#include "commands.h"

namespace varnelctl {

namespace {

constexpr uint8_t kCodeStep = 0x09;
constexpr uint8_t kCodeVersion = 0xF0;
constexpr uint8_t kAskStep = 0xFF;
constexpr int kStepCount = 8;

void RequireNoArguments(const Arguments& args, const char* command) {
    if (!args.empty()) throw UsageError(std::string(command) + " takes no arguments");
}

// Steps are 1 to 8 to the user and 0 to 7 on the wire.
int ReadStep(CLumoApi* api) {
    return api->QueryDevice2(kCodeStep, kAskStep) + 1;
}

}  // namespace

int RunList(CliContext& context, const Arguments& args) {
    RequireNoArguments(args, "list");
    struct Candidate {
        uint16_t vendorId, productId;
        KeypadMode mode;
    };
    const Candidate candidates[] = {
        {kApplicationVid, kApplicationPid, KeypadMode::Application},
        {kBootLoaderVid, kBootLoaderPid, KeypadMode::BootLoader},
    };
    std::vector<JsonObject> found;
    std::string text;
    for (const Candidate& c : candidates) {
        if (!Present(context.api, c.vendorId, c.productId)) continue;
        const std::string id = IdentityText(c.vendorId, c.productId);
        text += (text.empty() ? "" : "\n") + id + "  " + ModeName(c.mode);
        found.push_back(JsonObject().Add("identity", id).Add("mode", ModeName(c.mode)));
    }
    if (found.empty()) throw CliError(kExitNoKeypad, "No keypad found.");
    context.Print(text, JsonObject().Add("keypads", found));
    return kExitSuccess;
}

int RunInfo(CliContext& context, const Arguments& args) {
    RequireNoArguments(args, "info");
    const KeypadMode mode = context.RequireKeypad();
    if (mode == KeypadMode::BootLoader) {
        const std::string id = IdentityText(kBootLoaderVid, kBootLoaderPid);
        context.Print("Mode:     boot loader (" + id +
                          ")\n"
                          "The keypad waits in its boot loader for a firmware update.",
                      JsonObject().Add("mode", ModeName(mode)).Add("identity", id));
        return kExitSuccess;
    }
    uint8_t request[64] = {kCodeVersion};
    uint8_t version[3] = {};
    if (!context.api->ReadVersion(request, version)) {
        throw DeviceError("The keypad did not answer the version request.");
    }
    char versionText[16];
    std::snprintf(versionText, sizeof versionText, "%X.%X%X", version[0], version[1], version[2]);
    const int step = ReadStep(context.api);
    const std::string id = IdentityText(kApplicationVid, kApplicationPid);
    context.Print("Mode:     application (" + id + ")\nFirmware: " + versionText +
                      "\nStep:     " + std::to_string(step),
                  JsonObject()
                      .Add("mode", ModeName(mode))
                      .Add("identity", id)
                      .Add("firmware", versionText)
                      .Add("firmware_bytes", std::vector<int>{version[0], version[1], version[2]})
                      .Add("step", step));
    return kExitSuccess;
}

int RunStep(CliContext& context, const Arguments& args) {
    if (args.size() > 1) throw UsageError("step takes at most one argument, the step 1 to 8");
    int wanted = 0;
    if (!args.empty()) {
        const std::string& word = args[0];
        if (word.size() != 1 || word[0] < '1' || word[0] > '0' + kStepCount) {
            throw UsageError("step must be a number from 1 to 8, not \"" + word + "\"");
        }
        wanted = word[0] - '0';
    }
    context.RequireApplication();
    if (wanted != 0) {
        context.api->SendDeviceCommand2(kCodeStep, static_cast<uint8_t>(wanted - 1));
        // The select command reports nothing; reading the step back tells whether it arrived.
        if (ReadStep(context.api) != wanted) {
            throw DeviceError("The keypad did not take step " + std::to_string(wanted) + ".");
        }
    }
    const int step = wanted != 0 ? wanted : ReadStep(context.api);
    context.Print("Step " + std::to_string(step) + (wanted != 0 ? " selected." : ""),
                  JsonObject().Add("step", step));
    return kExitSuccess;
}

}  // namespace varnelctl
