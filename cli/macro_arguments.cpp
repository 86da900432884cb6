#include "macro_arguments.h"

#include "cli_error.h"
#include "text_encoding.h"

namespace varnelctl {

MacroArguments ParseMacroArguments(const Arguments& args, bool takesInto, bool takesAnswer) {
    MacroArguments out;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--into" && takesInto) {
            if (i + 1 >= args.size()) throw UsageError("--into needs a macro file");
            out.into = args[++i];
        } else if ((word == "--yes" || word == "--no") && takesAnswer) {
            const Answer answer = word == "--yes" ? Answer::Yes : Answer::No;
            if (out.answer != Answer::Ask && out.answer != answer) {
                throw UsageError("--yes and --no exclude each other");
            }
            out.answer = answer;
        } else if (word.size() > 1 && word[0] == '-') {
            throw UsageError("unknown option " + word);
        } else {
            out.positional.push_back(word);
        }
    }
    return out;
}

std::u16string PathText(const std::string& path) {
    return varnel::Utf8ToUtf16(path);
}

}  // namespace varnelctl
