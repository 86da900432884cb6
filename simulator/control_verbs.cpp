#include "control_verbs.h"

#include <sstream>
#include <vector>

#include "key_press_report.h"
#include "keypad_keys.h"

namespace varnel::sim {

namespace {

std::vector<std::string> SplitWords(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

ControlReply Success(std::string text) {
    return {true, std::move(text)};
}
ControlReply Failure(std::string text) {
    return {false, std::move(text)};
}

ControlReply Unknown(const std::string& line) {
    return Failure("unknown control line '" + line +
                   "'; expected plug, unplug, state [--json], press KEY [--json], fault FAULT or "
                   "stop\n");
}

ControlReply Press(const std::string& keyName, bool json, const KeypadLink& link) {
    const std::optional<int> key = ParseKeypadKey(keyName);
    if (!key) return Failure("unknown key '" + keyName + "'; " + kKeypadKeyHelp + "\n");
    const KeyPressOutcome outcome = PressKey(link.Model().State().dataArea, *key);
    return Success(json ? FormatKeyPressJson(outcome) : FormatKeyPressText(outcome));
}

}  // namespace

ControlReply RunControlLine(const std::string& line, KeypadLink& link) {
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty()) return Unknown(line);
    const std::string& verb = words[0];
    const size_t arguments = words.size() - 1;
    if (verb == "stop" && arguments == 0) return {true, "stopping\n", true};
    if (verb == "plug" && arguments == 0) {
        if (link.Plugged()) return Success("already plugged\n");
        link.Plug();
        return Success("plugged\n");
    }
    if (verb == "unplug" && arguments == 0) {
        if (!link.Plugged()) return Success("already unplugged\n");
        link.Unplug();
        return Success("unplugged\n");
    }
    if (verb == "state" && (arguments == 0 || (arguments == 1 && words[1] == "--json"))) {
        const SimulatorStatus status = link.Status();
        return Success(arguments == 0 ? FormatStatusText(status) : FormatStatusJson(status));
    }
    if (verb == "press" && (arguments == 1 || (arguments == 2 && words[2] == "--json"))) {
        return Press(words[1], arguments == 2, link);
    }
    if (verb == "fault" && arguments == 1) {
        const FaultParseResult parsed = ParseFaultRule(words[1]);
        if (!parsed.rule) return Failure(parsed.error + "\n");
        link.ApplyFault(*parsed.rule);
        return Success("fault " + FormatFaultRule(*parsed.rule) + "\n");
    }
    return Unknown(line);
}

}  // namespace varnel::sim
