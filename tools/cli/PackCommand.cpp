#include "PackCommand.h"

#include "CommandContext.h"
#include "CommandLine.h"
#include "editor/WaveLocator.h"
#include "shell/HeadlessEditor.h"

const char* const PackCommand::kHelp =
    "usage: kvt3310-cli pack SET.cfg -o FOLDER\n"
    "Saves the set into FOLDER together with a copy of each of its wave files, as the editor's\n"
    "\"Save as with its files...\" does, so that the folder can be copied anywhere and opens and uploads\n"
    "there. Nothing is replaced: a name another file holds in FOLDER gets a number (\"gong (2).wav\"), a\n"
    "file already there with the same bytes is used as it is. The original files are only read.\n"
    "  -o, --output FOLDER  the folder to write into (made when missing; its parent must exist)\n"
    "The configuration file written goes to standard output.\n"
    "Exit status 1 when a file of the set is missing or differs, or the folder cannot be written.\n";

int PackCommand::run(CommandContext& context, const std::vector<std::string>& words) {
    CommandLine line(words, {{"output"}, {}});
    if (!line.ok())
        return context.usage("pack", line.error());
    if (line.positional().size() != 1)
        return context.usage("pack", "exactly one configuration file is needed");
    if (!line.has("output") || line.value("output")->empty())
        return context.usage("pack", "the folder is missing (-o FOLDER)");

    const std::string config = EditorSession::fullPath(line.positional().front());
    auto session = context.sessionWith(config);
    if (!session)
        return kRefused;
    const auto written =
        session->editor().pack(EditorSession::fullPath(*line.value("output")), WaveLocator::fileName(config));
    if (!written)
        return kRefused;
    context.out << *written << "\n";
    return kSuccess;
}
