#include "keymap_text.h"

#include <cstdio>

#include "cli_error.h"
#include "key_faces.h"
#include "keymap_transfer.h"
#include "text_encoding.h"

namespace varnelctl {

namespace {

namespace program = varnel::program;

constexpr const char* kKeyNames[program::kKeypadKeys] = {
    "F1", "F2", "F3", "F4", "NumLock", "/", "*", "-", "+", "ENTER", "1",
    "2",  "3",  "4",  "5",  "6",       "7", "8", "9", "0", "DEL",
};

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
    const program::KeyMapDisplay display = program::RedisplayKeyMap(*context.api, image);
    std::string text =
        std::string("NumLock sync: ") + (program::NumLockSyncOn(image) ? "on" : "off") + "\n";
    std::vector<JsonObject> keys;
    for (int key = 0; key < program::kKeypadKeys; ++key) {
        const program::KeyFace& face = display.faces[static_cast<size_t>(key)];
        // Media functions and the calculator are shown by a picture under a blank caption.
        const bool replaced =
            face.style == program::CaptionStyle::Replaced || face.picture != program::kPictureOwn;
        const std::string function = replaced ? varnel::Utf16ToUtf8(face.function) : "default";
        std::string caption = replaced ? varnel::Utf16ToUtf8(face.caption) : "";
        if (caption.find_first_not_of(' ') == std::string::npos) caption = replaced ? function : "";
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
