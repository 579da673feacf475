#include "InfoCommand.h"

#include <cctype>
#include <optional>

#include "CommandContext.h"
#include "CommandLine.h"
#include "editor/Formats.h"
#include "editor/WaveHeader.h"
#include "shell/HeadlessEditor.h"

const char* const InfoCommand::kHelp =
    "usage: kvt3310-cli info FILE.wav|SET.cfg...\n"
    "Checks each wave file as the editor does when it is chosen for a message slot. For a file it takes,\n"
    "prints the playing time, the size (kB and bytes stored in the unit) and the sample rate as the\n"
    "editor shows them; for one it refuses, the editor's text in the chosen language.\n"
    "For a configuration file (.cfg), opens the set and prints each message with its values and the\n"
    "wave file it uses: a file no longer at its stored path is looked for beside the set and one\n"
    "folder down, as the editor does.\n"
    "Exit status 1 when any file is refused, or a set's wave file is not found.\n";

namespace {

bool isConfigFile(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".cfg";
}

/// The set of `path` message by message; false when it cannot be opened or a wave file is not found.
bool showSet(CommandContext& context, const std::string& path) {
    auto session = context.sessionWith(path);
    if (!session)
        return false;
    const MessageSet set = session->editor().set();
    const IFileSystem& fs = context.headless.platform().fs;
    int messages = 0;
    for (int i = 1; i <= MessageSet::kSlots; ++i)
        messages += set.WaveFile[i].empty() ? 0 : 1;
    context.out << path << ": " << messages << (messages == 1 ? " message\n" : " messages\n");
    bool allFound = true;
    for (int i = 1; i <= MessageSet::kSlots; ++i) {
        if (set.WaveFile[i].empty())
            continue;
        const bool found = fs.exists(Formats::trimmed(set.FilePath[i]));
        allFound = allFound && found;
        context.out << "  " << i << " " << set.WaveFile[i] << ": " << set.MsgTime[i] << " s, " << set.MsgSize[i]
                    << " kB (" << set.TMsgSize[i] << " bytes), " << set.MsgSample[i] << " kHz, " << set.FilePath[i]
                    << (found ? "" : " (not found)") << "\n";
    }
    return allFound;
}

}  // namespace

std::optional<std::string> InfoCommand::choose(EditorSession& session, int i, const std::string& path) {
    StderrMessageBox& messages = session.headless().messages();
    const std::string full = EditorSession::fullPath(path);
    messages.clearShown();
    session.headless().dialog().answerNext(full);
    const HeadlessEditor::Choice choice = session.editor().choose(i, full);
    if (choice == HeadlessEditor::Choice::NotYetOpen)
        return "slot " + std::to_string(i) + " cannot be filled before the slots above it";
    if (!messages.shown().empty()) {
        // A message that names the file on lines of its own reads as one line here.
        std::string text = messages.shown().back();
        for (auto at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
            const auto end = text.find_first_not_of('\n', at);
            text.replace(at, (end == std::string::npos ? text.size() : end) - at, " ");
        }
        return text;
    }
    if (choice == HeadlessEditor::Choice::Taken)
        return std::nullopt;
    // The editor drops these choices without a word.
    switch (ReadWaveHeader(session.headless().platform().fs, full).verdict) {
        case WaveVerdict::NoDataChunk:
            return "the file has no data chunk";
        case WaveVerdict::Unreadable:
            return "the file cannot be read";
        default:
            return "the file name has no \".\"";
    }
}

int InfoCommand::run(CommandContext& context, const std::vector<std::string>& words) {
    CommandLine line(words, {});
    if (!line.ok())
        return context.usage("info", line.error());
    if (line.positional().empty())
        return context.usage("info", "no file given");
    int status = kSuccess;
    for (const std::string& path : line.positional()) {
        if (isConfigFile(path)) {
            if (!showSet(context, path))
                status = kRefused;
            continue;
        }
        auto session = context.session();
        if (!session)
            return kRefused;
        // The refusal is the result here: it goes to standard output with the file it belongs to.
        context.headless.messages().setQuiet(true);
        auto refusal = choose(*session, 1, path);
        context.headless.messages().setQuiet(false);
        if (refusal) {
            context.out << path << ": " << *refusal << "\n";
            status = kRefused;
            continue;
        }
        const MessageSet set = session->editor().set();
        context.out << path << ": " << set.MsgTime[1] << " s, " << set.MsgSize[1] << " kB (" << set.TMsgSize[1]
                    << " bytes), " << set.MsgSample[1] << " kHz\n";
    }
    return status;
}
