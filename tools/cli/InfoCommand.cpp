#include "InfoCommand.h"

#include <optional>

#include "CommandContext.h"
#include "CommandLine.h"
#include "editor/WaveHeader.h"
#include "shell/HeadlessEditor.h"

const char* const InfoCommand::kHelp =
    "usage: kvt3310-cli info FILE.wav...\n"
    "Checks each file as the editor does when it is chosen for a message slot. For a file it takes,\n"
    "prints the playing time, the size (kB and bytes stored in the unit) and the sample rate as the\n"
    "editor shows them; for one it refuses, the editor's text in the chosen language.\n"
    "Exit status 1 when any file is refused.\n";

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
