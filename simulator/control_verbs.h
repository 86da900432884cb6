// Control lines a running simulator accepts on its socket:
//   plug | unplug | state [--json] | press KEY [--json] | fault FAULT | stop
#pragma once

#include <string>

#include "keypad_link.h"

namespace varnel::sim {

struct ControlReply {
    bool ok = false;
    std::string text;
    bool stop = false;  // the simulator should shut down after sending the reply
};

ControlReply RunControlLine(const std::string& line, KeypadLink& link);

}  // namespace varnel::sim
