#include "PrintCommand.h"

#include "CommandContext.h"
#include "CommandLine.h"
#include "editor/TextPrintout.h"
#include "shell/HeadlessEditor.h"

const char* const PrintCommand::kHelp =
    "usage: kvt3310-cli print SET.cfg [-o OUT.txt]\n"
    "Opens the configuration file in the editor and writes its 17-line text printout, in the chosen\n"
    "language, as the editor's \"Save as text file\" does (8-bit text, CR LF).\n"
    "  -o, --output OUT.txt  the file to write (default: standard output)\n";

int PrintCommand::run(CommandContext& context, const std::vector<std::string>& words) {
    CommandLine line(words, {{"output"}, {}});
    if (!line.ok())
        return context.usage("print", line.error());
    if (line.positional().size() != 1)
        return context.usage("print", "exactly one configuration file is needed");

    auto session = context.sessionWith(line.positional().front());
    if (!session)
        return kRefused;

    CaptureFileSystem& files = context.headless.files();
    std::string target;
    if (auto output = line.value("output")) {
        target = EditorSession::fullPath(*output);
    } else {
        // A name no file has, so the printout only reaches standard output.
        target = EditorSession::fullPath(".kvt3310-cli-printout.txt");
        files.capture(target);
    }
    if (!session->editor().print(target))
        return context.refused(target + ": cannot be written");
    if (!line.has("output"))
        context.out << files.captured(target).value_or("") << std::flush;
    return kSuccess;
}
