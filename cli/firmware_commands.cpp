// firmware inspect|flash|pack: update files and the firmware update of the keypad, in the order
// the update dialog runs it: the file check, the boot-loader refresh and restart into the boot
// loader, the data block's identity check, programming with progress, the restart into the new
// firmware, and its version.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "cli_error.h"
#include "commands.h"
#include "file_output.h"
#include "firmware_file_check.h"
#include "macro_arguments.h"
#include "terminal_answers.h"
#include "text_encoding.h"

namespace varnelctl {

namespace {

namespace program = varnel::program;
using program::FirmwareFileCheck;
using program::FirmwareFileVerdict;

constexpr uint8_t kCodeRestart = 0xF4;
constexpr uint8_t kRestartSwitchMode = 0x01;
constexpr uint8_t kCodeVersion = 0xF0;
constexpr auto kRestartTimeout = std::chrono::seconds(15);
constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr uint32_t kScrambleBlock = 512;

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DeviceError("Cannot read " + path + ": " + std::strerror(errno));
    return {std::istreambuf_iterator<char>(in), {}};
}

// Polls until `ready` holds or the time-out passes.
template <typename Ready>
bool WaitFor(Ready ready) {
    const auto deadline = std::chrono::steady_clock::now() + kRestartTimeout;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

std::string VerdictText(const FirmwareFileCheck& check, const std::string& path) {
    switch (check.verdict) {
        case FirmwareFileVerdict::Fits:
            return "fits the attached keypad";
        case FirmwareFileVerdict::Unreadable:
            return "cannot be read: " + check.error;
        case FirmwareFileVerdict::NotAnUpdateFile:
            return path + " is not a keypad update file (no update header)";
        case FirmwareFileVerdict::TooLarge:
            return "its image of " + std::to_string(check.imageSize) +
                   " bytes is larger than the keypad's " +
                   std::to_string(program::kMaxFirmwareImage) + "-byte application flash";
        case FirmwareFileVerdict::OtherKeypad:
            return "it is meant for keypad " + IdentityText(check.vendorId, check.productId) +
                   ", which is not the one attached";
    }
    return "";
}

int RunInspect(CliContext& context, const MacroArguments& args) {
    if (args.positional.size() != 1) throw UsageError("firmware inspect needs one FILE.quf");
    const std::string& path = args.positional[0];
    const std::vector<uint8_t> file = ReadFileBytes(path);
    const FirmwareFileCheck check = program::CheckFirmwareBytesFit(*context.api, file);
    const bool attached =
        check.keypadInBootLoader || Present(context.api, kApplicationVid, kApplicationPid);
    const bool header = check.verdict != FirmwareFileVerdict::NotAnUpdateFile;
    const bool fits = check.verdict == FirmwareFileVerdict::Fits;
    std::string fitText =
        !header ? "no (" + VerdictText(check, path) + ")"
        : !attached && check.verdict == FirmwareFileVerdict::OtherKeypad ? "no keypad attached"
        : fits
            ? "yes" + std::string(
                          check.keypadInBootLoader ? " (the keypad waits in its boot loader)" : "")
            : "no (" + VerdictText(check, path) + ")";
    std::string text = "File:     " + path + " (" + std::to_string(check.fileSize) + " bytes)\n";
    text += "Tag:      " + std::string(header ? program::kFirmwareProductTag : "(none)") + "\n";
    if (check.fileSize >= 20) {
        text += "Keypad:   " + IdentityText(check.vendorId, check.productId) + "\n";
    }
    if (header) text += "Image:    " + std::to_string(check.imageSize) + " bytes\n";
    text += "Fits:     " + fitText;
    context.Print(text, JsonObject()
                            .Add("file", path)
                            .Add("size", static_cast<int64_t>(check.fileSize))
                            .Add("update_file", header)
                            .Add("identity", IdentityText(check.vendorId, check.productId))
                            .Add("image_size", static_cast<int64_t>(check.imageSize))
                            .Add("fits", fits)
                            .Add("reason", fits ? std::string() : VerdictText(check, path)));
    return kExitSuccess;
}

std::string ReadVersionText(CLumoApi* api) {
    uint8_t request[64] = {kCodeVersion};
    uint8_t version[3] = {};
    if (!api->ReadVersion(request, version)) return "";
    char text[16];
    std::snprintf(text, sizeof text, "%X.%X%X", version[0], version[1], version[2]);
    return text;
}

// The keypad restarts into its boot loader after the refresh; a keypad already there stays.
void BringUpBootLoader(CLumoApi* api, const std::string& path, bool inBootLoader) {
    if (!inBootLoader) std::fprintf(stderr, "Checking the boot loader and restarting into it...\n");
    api->LoadFirmwareFile(varnel::Utf8ToUtf16(path).c_str());
    if (inBootLoader) return;
    if (!WaitFor([&] { return Present(api, kBootLoaderVid, kBootLoaderPid); })) {
        throw DeviceError(
            "The keypad did not restart into its boot loader; unplug it, plug it in again and "
            "run firmware flash once more.");
    }
}

int RunFlash(CliContext& context, const MacroArguments& args) {
    if (args.positional.size() != 1) throw UsageError("firmware flash needs one FILE.quf");
    const std::string& path = args.positional[0];
    CLumoApi* api = context.api;
    const KeypadMode mode = context.RequireKeypad();
    api->SetDeviceId(kApplicationVid, kApplicationPid);
    const FirmwareFileCheck check = program::CheckFirmwareBytesFit(*api, ReadFileBytes(path));
    if (check.verdict != FirmwareFileVerdict::Fits) {
        throw DeviceError("Refused " + path + ": " + VerdictText(check, path) +
                          ". Nothing was changed.");
    }
    TerminalQuestions questions(args.answer);
    const std::string question = "Program " + path + " into the keypad? Do not unplug it until " +
                                 "the update has finished.";
    if (!questions.AskYesNo(varnel::Utf8ToUtf16(question), u"Firmware update")) {
        throw DeviceError("Firmware update cancelled; nothing was changed.");
    }

    BringUpBootLoader(api, path, mode == KeypadMode::BootLoader);
    uint8_t block[4096] = {};
    if (!api->ReadBootDataBlock(block) ||
        !program::BootDataNames(block, check.vendorId, check.productId)) {
        throw DeviceError("The keypad's boot loader does not confirm keypad " +
                          IdentityText(check.vendorId, check.productId) +
                          "; nothing was programmed.");
    }
    bool programmed = false;
    {
        ProgressBar bar("Programming");
        api->SetProgressWindow(context.json ? nullptr : &bar);
        programmed = api->WriteAprom();
        api->SetProgressWindow(nullptr);
    }
    if (!programmed) {
        throw DeviceError(
            "Programming failed; the keypad waits in its boot loader. Run firmware "
            "flash again to complete the update.");
    }
    uint8_t restart[64] = {kCodeRestart, kRestartSwitchMode};
    api->BootCommand(restart);
    std::string version;
    const bool back = WaitFor([&] {
        if (!Present(api, kApplicationVid, kApplicationPid)) return false;
        version = ReadVersionText(api);
        return !version.empty();
    });
    if (!back) {
        throw DeviceError(
            "The keypad was programmed but did not come back; unplug it and plug "
            "it in again.");
    }
    context.Print("Firmware updated; the keypad runs version " + version + ".",
                  JsonObject().Add("updated", true).Add("firmware", version));
    return kExitSuccess;
}

uint16_t ParseHexWord(const std::string& word, const char* what) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(word.c_str(), &end, 16);
    if (word.empty() || *end != '\0' || value > 0xFFFF) {
        throw UsageError(std::string(what) + " must be a hexadecimal number up to FFFF, not \"" +
                         word + "\"");
    }
    return static_cast<uint16_t>(value);
}

int RunPack(CliContext& context, const Arguments& args) {
    std::string image, output, vid, pid;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        std::string* value = word == "--vid"                      ? &vid
                             : word == "--pid"                    ? &pid
                             : word == "-o" || word == "--output" ? &output
                                                                  : nullptr;
        if (value) {
            if (i + 1 >= args.size()) throw UsageError(word + " needs a value");
            *value = args[++i];
        } else if (word.size() > 1 && word[0] == '-') {
            throw UsageError("firmware pack does not take " + word);
        } else if (image.empty()) {
            image = word;
        } else {
            throw UsageError("firmware pack takes one IMAGE");
        }
    }
    if (image.empty() || vid.empty() || pid.empty() || output.empty()) {
        throw UsageError("firmware pack needs IMAGE --vid V --pid P -o FILE.quf");
    }
    const uint16_t vendorId = ParseHexWord(vid, "--vid");
    const uint16_t productId = ParseHexWord(pid, "--pid");
    std::vector<uint8_t> bytes = ReadFileBytes(image);
    if (bytes.size() > program::kMaxFirmwareImage) {
        throw DeviceError(image + " has " + std::to_string(bytes.size()) +
                          " bytes; the application flash holds " +
                          std::to_string(program::kMaxFirmwareImage));
    }
    // Scrambling is its own inverse: the library's descrambler scrambles, block by block.
    for (uint32_t offset = 0; offset < bytes.size(); offset += kScrambleBlock) {
        const auto length =
            static_cast<uint32_t>(std::min<size_t>(kScrambleBlock, bytes.size() - offset));
        context.api->DecodeBlock(offset, bytes.data() + offset, length);
    }
    std::vector<uint8_t> file(program::kFirmwareHeaderSize + bytes.size(), 0);
    std::memcpy(file.data(), program::kFirmwareProductTag, sizeof program::kFirmwareProductTag - 1);
    file[16] = static_cast<uint8_t>(productId);
    file[17] = static_cast<uint8_t>(productId >> 8);
    file[18] = static_cast<uint8_t>(vendorId);
    file[19] = static_cast<uint8_t>(vendorId >> 8);
    std::copy(bytes.begin(), bytes.end(), file.begin() + program::kFirmwareHeaderSize);
    WriteFileAtomically(output, file);
    context.Print(output + ": update file for keypad " + IdentityText(vendorId, productId) + ", " +
                      std::to_string(bytes.size()) + "-byte image",
                  JsonObject()
                      .Add("file", output)
                      .Add("identity", IdentityText(vendorId, productId))
                      .Add("image_size", static_cast<int64_t>(bytes.size())));
    return kExitSuccess;
}

}  // namespace

int RunFirmware(CliContext& context, const Arguments& args) {
    const std::string verb = args.empty() ? "" : args[0];
    const Arguments rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (verb == "inspect") return RunInspect(context, ParseMacroArguments(rest, false, false));
    if (verb == "flash") return RunFlash(context, ParseMacroArguments(rest, false, true));
    if (verb == "pack") return RunPack(context, rest);
    throw UsageError("firmware needs inspect, flash or pack");
}

}  // namespace varnelctl
