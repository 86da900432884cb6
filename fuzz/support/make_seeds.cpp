// Writes the seed corpora of the fuzz targets whose inputs the library itself writes: macro files
// saved by SaveMacroFile, macro area images built from macros the library encodes, recorder text
// files, socket frames and firmware update files. Run from the fuzz build: fuzz_make_seeds
// fuzz/corpus
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device_image.h"
#include "firmware_file.h"
#include "fuzz_host.h"
#include "scratch_file.h"
#include "shared_api.h"
#include "socket_protocol.h"
#include "text_encoding.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void WriteSeed(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::u16string& path) {
    std::ifstream in(varnel::Utf16ToUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

EditorMacro Macro(std::u16string name, std::vector<MacroItem> items, uint32_t repeat = 0x10424) {
    EditorMacro macro;
    macro.name = std::move(name);
    macro.options[0] = 113;
    macro.options[1] = 114;
    macro.options[9] = repeat;
    macro.items = {{kMacroItemStart, 0, 0, 0}};
    macro.items.insert(macro.items.end(), items.begin(), items.end());
    return macro;
}

// Left Ctrl (virtual key 0x11, scan code 0x1D) and C (0x43, 0x2E) pressed and released.
const std::vector<MacroItem> kCopySteps = {{kMacroItemKeyboard, 0x1D11, 1, 0},
                                           {kMacroItemKeyboard, 0x2E43, 1, 0},
                                           {kMacroItemDelay, 40, 0, 0},
                                           {kMacroItemKeyboard, 0x2E43, 2, 0},
                                           {kMacroItemKeyboard, 0x1D11, 2, 0}};
// A left click at an absolute position, a wheel step, a timed delay and a random delay.
const std::vector<MacroItem> kMouseSteps = {
    {kMacroItemMouse, 100, 200, 0x8003}, {kMacroItemDelay, 100, 0, 0},
    {kMacroItemMouse, 100, 200, 0x8005}, {kMacroItemMouse, 0, 0, 0x800 | 1u << 16},
    {kMacroItemDelay, 45296000, 7, 0},   {kMacroItemDelay, 50, 0, 3}};

std::vector<std::vector<EditorMacro>> MacroLists() {
    return {
        {Macro(u"Copy", kCopySteps), Macro(u"Notes", kMouseSteps, 0x20424)},
        {Macro(u"Paste", kMouseSteps), Macro(u"\uD55C\uAE00 \U0001F600", kCopySteps)},
        {Macro(std::u16string(255, u'x'), {{kMacroItemDelay, 1, 0, 0}})},
        {},
    };
}

// Each list saved by the library, behind the byte that answers the merge's questions.
void MacroFileSeeds(CLumoApi& api, const fs::path& folder) {
    varnel::fuzz::ScratchFile file(".vmf");
    const uint8_t answers[] = {0x00, 0xFF, 0x01, 0x02};
    int n = 0;
    for (const auto& list : MacroLists()) {
        while (api.GetMacroCount() > 0) api.DeleteMacro(0);
        for (const EditorMacro& macro : list) api.AddMacro(macro);
        if (!api.SaveMacroFile(file.Path16().c_str())) std::exit(1);
        Bytes seed = {answers[n]};
        const Bytes saved = ReadFile(file.Path16());
        seed.insert(seed.end(), saved.begin(), saved.end());
        WriteSeed(folder, "list" + std::to_string(++n) + ".bin", seed);
    }
    while (api.GetMacroCount() > 0) api.DeleteMacro(0);
}

// Each list encoded by the library's own encoder and built into an area image.
void DeviceImageSeeds(CLumoApi& api, const fs::path& folder) {
    int n = 0;
    for (const auto& list : MacroLists()) {
        if (list.empty()) continue;
        api.ClearDeviceMacros();
        for (const EditorMacro& macro : list) api.PutDeviceMacro(&macro);
        std::vector<DeviceMacro> encoded;
        for (int i = 0; i < api.GetDeviceMacroCount(); ++i)
            encoded.push_back(*api.GetDeviceMacro(i));
        WriteSeed(folder, "image" + std::to_string(++n) + ".bin",
                  varnel::BuildDeviceImage(encoded));
    }
    api.ClearDeviceMacros();
}

Bytes Text(const std::string& text) {
    return {text.begin(), text.end()};
}

void RecorderSeeds(const fs::path& folder) {
    WriteSeed(folder, "mouse.mcr",
              Text("MOUSE : C10 : C20 : Click\r\nDELAY : 250\r\nMOUSE : C-5 : C7 : RightClick\r\n"
                   "MOUSE : 300 : 400 : LeftButtonDown\r\nMOUSE : 310 : 410 : LeftButtonUp\r\n"
                   "MOUSE : 0 : 0 : Wheel : -120\r\n"));
    WriteSeed(folder, "keys.mcr",
              Text("Keyboard : LControlKey : KeyDown\r\nKeyboard : C : KeyPress\r\n"
                   "Keyboard : ControlKey : KeyUp\r\nKEYBOARD : a : KEYDOWN\r\ndelay 40\r\n"
                   "Keyboard : NumPad7 : KeyPress\r\nKeyboard : F10 : KeyPress\n"));
    WriteSeed(folder, "commands.mcr",
              Text("LABEL : start\nCOMMENT : skipped\nREPEAT : 3\nKEYBOARD : Return : KeyPress\n"
                   "ENDREPEAT\nGOTO : start\n"));
    WriteSeed(folder, "korean.mcr", Text("KEYBOARD : HanjaMode : KeyPress\n\xC7\xD1 : \xB1\xDB\n"));
}

void SocketFrameSeeds(const fs::path& folder) {
    using namespace varnel::sockproto;
    WriteSeed(folder, "interfaces.bin",
              EncodeInterfaces({{0x1C6C, 0xC008, 0x01, 0x06, 0, "sim:0"},
                                {0x1C6C, 0xC008, 0xFF00, 0x00, 3, "sim:3"}}));
    Bytes report(kReportSize, 0);
    report[1] = 0xF3;
    Bytes frames = EncodeFrame(MessageType::Report, report.data(), report.size());
    const Bytes event = EncodeFrame(MessageType::Event, std::string("arrival sim:3"));
    frames.insert(frames.end(), event.begin(), event.end());
    WriteSeed(folder, "report-event.bin", frames);
}

// Update files packed by the library's own writer: a small image, the header alone, and one
// whose image fills the application flash but for its last bytes.
void FirmwareFileSeeds(const fs::path& folder) {
    Bytes image(300);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7);
    WriteSeed(folder, "small.quf", varnel::PackFirmwareFile(image, {0x1C6C, 0xC008}));
    WriteSeed(folder, "header-only.quf", varnel::PackFirmwareFile({}, {0x1C6C, 0xC008}));
    Bytes other = varnel::PackFirmwareFile(Bytes(40, 0xFF), {0x1C6C, 0xB001});
    other.resize(530);
    WriteSeed(folder, "other-keypad.quf", other);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds CORPUS-FOLDER\n");
        return 2;
    }
    const fs::path corpus = argv[1];
    varnel::fuzz::FuzzHost host;
    CLumoApi& api = varnel::fuzz::SharedApi();
    MacroFileSeeds(api, corpus / "fuzz_macro_file");
    DeviceImageSeeds(api, corpus / "fuzz_device_macro_image");
    RecorderSeeds(corpus / "fuzz_macro_text_import");
    SocketFrameSeeds(corpus / "fuzz_socket_frames");
    FirmwareFileSeeds(corpus / "fuzz_firmware_file");
    return 0;
}
