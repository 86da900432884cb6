// profile list|show|add|rm|rename|copy|save|apply|export|import: the profiles of the program's
// profile folder, with the window's rules, messages and effects on the files and the keypad.
#include "cli_error.h"
#include "commands.h"
#include "keymap_text.h"
#include "keypad_macros.h"
#include "macro_arguments.h"
#include "profile_session.h"
#include "text_encoding.h"

namespace varnelctl {

namespace {

namespace program = varnel::program;
using varnel::Utf16ToUtf8;
using varnel::Utf8ToUtf16;

// --save and --discard answer the question about unsaved changes; nothing else is an option.
struct ProfileArguments {
    std::vector<std::string> positional;
    Answer answer = Answer::Ask;
};

ProfileArguments ParseProfileArguments(const Arguments& args) {
    ProfileArguments parsed;
    for (const std::string& word : args) {
        if (word == "--save" || word == "--discard") {
            const Answer answer = word == "--save" ? Answer::Yes : Answer::No;
            if (parsed.answer != Answer::Ask && parsed.answer != answer) {
                throw UsageError("--save and --discard exclude each other");
            }
            parsed.answer = answer;
        } else if (word.size() > 1 && word[0] == '-') {
            throw UsageError("profile does not take " + word);
        } else {
            parsed.positional.push_back(word);
        }
    }
    return parsed;
}

void RequireWords(const ProfileArguments& args, size_t least, size_t most, const char* usage) {
    if (args.positional.size() < least || args.positional.size() > most) {
        throw UsageError(std::string("usage: varnelctl profile ") + usage);
    }
}

int IndexOf(ProfileSession& session, const std::string& name) {
    const int index = session.profiles->Find(Utf8ToUtf16(name));
    if (index < 0) throw UsageError("no profile named \"" + name + "\"");
    return index;
}

int PrintNames(CliContext& context, ProfileSession& session, const std::string& headline) {
    const auto& names = session.profiles->Names();
    std::string text = headline;
    std::vector<JsonObject> list;
    for (size_t i = 0; i < names.size(); ++i) {
        const bool current = static_cast<int>(i) == session.profiles->CurrentIndex();
        text +=
            (text.empty() ? "" : "\n") + std::string(current ? "* " : "  ") + Utf16ToUtf8(names[i]);
        list.push_back(JsonObject().Add("name", Utf16ToUtf8(names[i])).Add("current", current));
    }
    if (names.empty()) text += (text.empty() ? "" : "\n") + std::string("(no profiles)");
    context.Print(text, JsonObject()
                            .Add("folder", session.profiles->ProfileFolder().string())
                            .Add("profiles", list));
    return kExitSuccess;
}

int Finish(CliContext& context, ProfileSession& session, const program::ProfileResult& result,
           const std::string& what) {
    ThrowUnlessDone(result, what);
    return PrintNames(context, session, "");
}

}  // namespace

int RunProfile(CliContext& context, const Arguments& args) {
    const std::string verb = args.empty() ? "" : args[0];
    const ProfileArguments parsed =
        ParseProfileArguments(Arguments(args.begin() + (args.empty() ? 0 : 1), args.end()));
    const auto& words = parsed.positional;
    static const std::vector<std::string> kVerbs = {"list", "show", "add",   "rm",     "rename",
                                                    "copy", "save", "apply", "export", "import"};
    if (std::find(kVerbs.begin(), kVerbs.end(), verb) == kVerbs.end()) {
        throw UsageError(
            "profile needs list, show, add, rm, rename, copy, save, apply, export or import");
    }
    // Only what starts from the keypad's key map reads it.
    const bool usesKeypadMap = verb == "save" || verb == "apply" || verb == "export";
    ProfileSession session(context, parsed.answer, usesKeypadMap);
    program::ProfileCommands& profiles = *session.profiles;
    if (verb == "list") {
        RequireWords(parsed, 0, 0, "list");
        return PrintNames(context, session, "");
    }
    if (verb == "show") {
        RequireWords(parsed, 1, 1, "show NAME");
        program::KeyMapImage image = program::EmptyKeyMap();
        if (!profiles.Show(IndexOf(session, words[0]), image)) {
            throw DeviceError(words[0] + ": the profile file could not be read");
        }
        if (session.connected) program::ReadKeypadMacros(*context.api, session.lock);
        return PrintKeyMap(context, image);
    }
    if (verb == "add") {
        RequireWords(parsed, 0, 0, "add");
        return Finish(context, session, profiles.Add(), "add");
    }
    if (verb == "rm") {
        RequireWords(parsed, 1, 1, "rm NAME");
        const program::ProfileResult removed =
            profiles.Delete(session.Device(), IndexOf(session, words[0]));
        ThrowUnlessDone(removed, words[0]);
        if (removed.refresh && removed.select && *removed.select >= 0) {
            ThrowUnlessDone(profiles.Refresh(session.Device(), *removed.select), words[0]);
        }
        return PrintNames(context, session, "");
    }
    if (verb == "rename") {
        RequireWords(parsed, 2, 2, "rename NAME NEW-NAME");
        return Finish(context, session,
                      profiles.Rename(IndexOf(session, words[0]), Utf8ToUtf16(words[1])), words[1]);
    }
    if (verb == "copy") {
        RequireWords(parsed, 1, 1, "copy NAME");
        return Finish(context, session, profiles.Copy(IndexOf(session, words[0])), words[0]);
    }
    if (verb == "save") {
        RequireWords(parsed, 1, 1, "save NAME");
        context.RequireApplication();
        return Finish(context, session, profiles.Save(IndexOf(session, words[0])), words[0]);
    }
    if (verb == "apply") {
        RequireWords(parsed, 1, 1, "apply NAME [--save|--discard]");
        context.RequireApplication();
        return Finish(context, session,
                      profiles.SelectAndApply(session.Device(), IndexOf(session, words[0])),
                      words[0]);
    }
    if (verb == "export") {
        RequireWords(parsed, 1, 1, "export FILE");
        context.RequireApplication();
        return Finish(context, session, profiles.Export(words[0]), words[0]);
    }
    RequireWords(parsed, 1, 2, "import FILE [NAME]");
    return Finish(
        context, session,
        profiles.Import(words[0], parsed.positional.size() == 2 ? Utf8ToUtf16(words[1]) : u""),
        words[0]);
}

bool DeleteAllProfiles(CliContext& context) {
    ProfileSession session(context, Answer::No, false);
    return session.profiles->DeleteAll().outcome == varnel::program::ProfileOutcome::Done;
}

}  // namespace varnelctl
