#include "keymap_text.h"

#include <cstdio>
#include <regex>
#include <sstream>

#include "cli_error.h"
#include "key_faces.h"
#include "keymap_transfer.h"
#include "keypad_macros.h"
#include "text_encoding.h"

namespace varnelctl {

namespace {

namespace program = varnel::program;

constexpr const char* kKeyNames[program::kKeypadKeys] = {
    "F1", "F2", "F3", "F4", "NumLock", "/", "*", "-", "+", "ENTER", "1",
    "2",  "3",  "4",  "5",  "6",       "7", "8", "9", "0", "DEL",
};

// The tool-tip is HTML for the window, a heading and then what the key does; the terminal
// wants the words after the heading.
std::string FunctionText(const std::u16string& html) {
    std::string text =
        std::regex_replace(varnel::Utf16ToUtf8(html), std::regex("<h2>[^<]*</h2>"), "");
    text = std::regex_replace(text, std::regex("<br ?/?>"), "\n");
    text = std::regex_replace(text, std::regex("<[^>]*>"), "");
    text = std::regex_replace(text, std::regex("&nbsp;"), " ");
    text = std::regex_replace(text, std::regex("&amp;"), "&");
    std::string joined;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = std::regex_replace(line, std::regex("^\\s+|\\s+$"), "");
        if (!line.empty()) joined += (joined.empty() ? "" : ", ") + line;
    }
    return joined;
}

}  // namespace

program::KeyMapImage ReadKeypadMap(CliContext& context, program::DeviceLock& lock) {
    context.RequireApplication();
    const program::KeyMapRead read = program::ReadKeyMap(*context.api, lock);
    if (!read.valid) {
        throw DeviceError("The keypad's key map is not valid; varnelctl keymap clear resets it.");
    }
    return read.image;
}

int PrintKeyMap(CliContext& context, program::KeyMapImage& image) {
    if (!program::IsValidKeyMap(image)) throw DeviceError("The key map is not valid.");
    // Macro keys show the keypad's macro names: read them when a keypad is there.
    const uint16_t application[] = {kApplicationVid, kApplicationPid};
    if (context.api->IsDevicePresent(application)) {
        program::DeviceLock lock;
        program::ReadKeypadMacros(*context.api, lock);
    }
    const program::KeyMapDisplay display = program::RedisplayKeyMap(*context.api, image);
    std::string text =
        std::string("NumLock sync: ") + (program::NumLockSyncOn(image) ? "on" : "off") + "\n";
    std::vector<JsonObject> keys;
    for (int key = 0; key < program::kKeypadKeys; ++key) {
        const program::KeyFace& face = display.faces[static_cast<size_t>(key)];
        const bool replaced = face.style == program::CaptionStyle::Replaced;
        const std::string caption = replaced ? varnel::Utf16ToUtf8(face.caption) : "";
        const std::string function = replaced ? FunctionText(face.toolTip) : "default";
        char line[256];
        std::snprintf(line, sizeof line, "%-8s %-20s %s\n", kKeyNames[key],
                      caption.empty() ? "-" : caption.c_str(), function.c_str());
        text += line;
        keys.push_back(JsonObject()
                           .Add("key", kKeyNames[key])
                           .Add("index", key)
                           .Add("label", caption)
                           .Add("function", function)
                           .Add("replaced", replaced));
    }
    text.pop_back();
    context.Print(
        text, JsonObject().Add("numlock_sync", program::NumLockSyncOn(image)).Add("keys", keys));
    return kExitSuccess;
}

}  // namespace varnelctl
