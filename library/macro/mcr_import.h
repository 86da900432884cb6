// Import of a JITBIT macro recorder text file (".mcr"): lines of fields separated by ':', of which
// the MOUSE, DELAY and KEYBOARD lines become the steps of one new editor macro. Lines of the
// recorder's other commands (LABEL, GOTO, IF..., REPEAT, COMMENT, ...) are skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "varnel/LumoApi.h"

namespace varnel {

// The lines of a recorder file's 8-bit text, converted with the ANSI code page; a line ends at
// "\n" or "\r\n", and white space at its end is dropped with the line end.
std::vector<std::u16string> SplitRecorderLines(std::string_view fileText);

// A new editor macro (default options, playback cursor -1, a start item) with the steps of the
// lines, named `name`.
EditorMacro ImportRecorderLines(const std::vector<std::u16string>& lines, std::u16string name);

// The name an imported file's macro gets: the file's name without its folder and without the
// part from its last '.' onward; the whole file name when that would leave nothing (".mcr").
std::u16string RecorderMacroName(std::u16string_view path);

}  // namespace varnel
