#include "key_press_report.h"

#include "keypad_keys.h"
#include "text_printf.h"

namespace varnel::sim {

namespace {

// A stable word for scripts, and the same reason in a sentence.
struct ReasonTexts {
    const char* code;
    std::string sentence;
};

ReasonTexts Reason(const KeyPressOutcome& outcome) {
    switch (*outcome.asPrinted) {
        case AsPrintedReason::NoSignature:
            return {"no-signature", "the key map area holds no signature"};
        case AsPrintedReason::BadSignature:
            return {"bad-signature", "the key map's signature is wrong"};
        case AsPrintedReason::TooManyEntries:
            return {"too-many-entries",
                    Printf("the key map counts %u entries, more than 21", outcome.entryCount)};
        case AsPrintedReason::NoEntry:
            break;
    }
    return {"no-entry", "the key map has no entry for the key"};
}

std::string Joined(const std::vector<std::string>& pieces, const char* separator) {
    std::string text;
    for (const std::string& piece : pieces) text += (text.empty() ? "" : separator) + piece;
    return text;
}

std::string KeyboardText(const KeyboardCombination& keyboard) {
    std::string usages;
    for (uint8_t usage : keyboard.usages) usages += Printf(" 0x%02X", usage);
    return "keyboard: " + Joined(keyboard.names, " + ") +
           Printf(" (HID modifiers 0x%02X, usages", keyboard.modifiers) +
           (usages.empty() ? " none" : usages) + ")\n";
}

std::string CellText(size_t number, const StoredCell& cell) {
    return Printf("  cell %zu: code 0x%04X, delay %u ms, data %02X %02X %02X %02X %02X %02X\n",
                  number, cell.code, cell.delayMs, cell.data[0], cell.data[1], cell.data[2],
                  cell.data[3], cell.data[4], cell.data[5]);
}

std::string MacroText(const MacroRun& run) {
    const uint32_t number = run.bit + 1;
    if (!run.macro.found)
        return Printf("macro %u: missing (%s)\n", number, run.macro.problem.c_str());
    const StoredMacro& header = run.macro.header;
    std::string text = Printf("macro %u: \"%s\", repeat %d, %u cells\n", number,
                              PrintableName(header.name).c_str(), header.repeat, header.cellCount);
    for (size_t i = 0; i < run.macro.cells.size(); ++i) text += CellText(i + 1, run.macro.cells[i]);
    return text;
}

std::string JsonStrings(const std::vector<std::string>& values) {
    std::string json = "[";
    for (const std::string& value : values) {
        // Output and function names are plain ASCII without quotes or backslashes.
        json += (json.size() > 1 ? ",\"" : "\"") + value + "\"";
    }
    return json + "]";
}

std::string JsonNumbers(const auto& values) {
    std::string json = "[";
    for (const auto value : values) json += Printf(json.size() > 1 ? ",%u" : "%u", value);
    return json + "]";
}

std::string MacroJson(const MacroRun& run) {
    std::string json = Printf("{\"number\":%u,\"bit\":%u,\"found\":%s", run.bit + 1, run.bit,
                              run.macro.found ? "true" : "false");
    if (!run.macro.found) return json + ",\"problem\":\"" + run.macro.problem + "\"}";
    const StoredMacro& header = run.macro.header;
    json += ",\"name\":\"" + JsonName(header.name) + "\"";
    json += Printf(",\"repeat\":%d,\"cellCount\":%u,\"cells\":[", header.repeat, header.cellCount);
    for (size_t i = 0; i < run.macro.cells.size(); ++i) {
        const StoredCell& cell = run.macro.cells[i];
        json += Printf("%s{\"code\":%u,\"delayMs\":%u,\"data\":", i ? "," : "", cell.code,
                       cell.delayMs) +
                JsonNumbers(cell.data) + "}";
    }
    return json + "]}";
}

}  // namespace

std::string FormatKeyPressText(const KeyPressOutcome& outcome) {
    const char* key = KeypadKeyName(outcome.keyIndex);
    std::string text = Printf("key: %s (index %d)\n", key, outcome.keyIndex);
    if (outcome.asPrinted) {
        return text + Printf("default: %s (%s)\n", key, Reason(outcome).sentence.c_str());
    }
    text += Printf("entry: slot %zu of %u\n", outcome.entrySlot, outcome.entryCount);
    if (!outcome.keyboard.names.empty()) text += KeyboardText(outcome.keyboard);
    if (!outcome.mouseButtons.empty())
        text += "mouse: " + Joined(outcome.mouseButtons, " + ") + "\n";
    if (!outcome.mediaFunctions.empty()) {
        text += "media: " + Joined(outcome.mediaFunctions, " + ") + "\n";
    }
    if (outcome.calculator) text += "calculator\n";
    if (outcome.fn) text += "FN\n";
    for (const MacroRun& run : outcome.macros) text += MacroText(run);
    if (outcome.macroStop) text += "macro stop\n";
    if (outcome.Kinds() == std::vector<std::string>{"nothing"}) {
        text += "nothing (the entry sets no output)\n";
    }
    return text;
}

std::string FormatKeyPressJson(const KeyPressOutcome& outcome) {
    const char* key = KeypadKeyName(outcome.keyIndex);
    std::string json = Printf("{\"key\":\"%s\",\"index\":%d,\"kinds\":", key, outcome.keyIndex) +
                       JsonStrings(outcome.Kinds());
    json += Printf(",\"entryCount\":%u", outcome.entryCount);
    if (outcome.asPrinted) {
        return json + Printf(",\"default\":{\"sends\":\"%s\",\"reason\":\"%s\"}}\n", key,
                             Reason(outcome).code);
    }
    json += Printf(",\"entry\":%zu", outcome.entrySlot);
    if (!outcome.keyboard.names.empty()) {
        json += ",\"keyboard\":{\"names\":" + JsonStrings(outcome.keyboard.names) +
                Printf(",\"modifiers\":%u,\"usages\":", outcome.keyboard.modifiers) +
                JsonNumbers(outcome.keyboard.usages) + "}";
    }
    if (!outcome.mouseButtons.empty()) json += ",\"mouse\":" + JsonStrings(outcome.mouseButtons);
    if (!outcome.mediaFunctions.empty())
        json += ",\"media\":" + JsonStrings(outcome.mediaFunctions);
    if (outcome.calculator) json += ",\"calculator\":true";
    if (outcome.fn) json += ",\"fn\":true";
    if (!outcome.macros.empty()) {
        json += ",\"macros\":[";
        for (size_t i = 0; i < outcome.macros.size(); ++i) {
            json += (i ? "," : "") + MacroJson(outcome.macros[i]);
        }
        json += "]";
    }
    if (outcome.macroStop) json += ",\"macroStop\":true";
    return json + "}\n";
}

}  // namespace varnel::sim
