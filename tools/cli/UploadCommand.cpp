#include "UploadCommand.h"

#include "CommandContext.h"
#include "CommandLine.h"
#include "UploadDisplay.h"
#include "platform/Terminal.h"
#include "shell/HeadlessEditor.h"
#include "shell/Workbench.h"

const char* const UploadCommand::kHelp =
    "usage: kvt3310-cli upload SET.cfg --port DEVICE [--timeout MS] [--trace FILE] [--erase-unit]\n"
    "Opens the configuration file and uploads the set to the unit exactly as the editor's\n"
    "\"Send messages and configuration\" button does: when the message files are those the unit holds,\n"
    "only the configuration tables are rewritten. The unit is taken to hold them when the set was opened\n"
    "unchanged, the unit's message table gives every message the size of its file, and for each message\n"
    "the first 128 bytes and the 128 bytes ending with its check word (a sum over the whole file), read\n"
    "back from the unit, are those the upload would write; any difference, refused read or doubt sends\n"
    "everything. The status lines go to standard error, with a progress bar when it is a terminal;\n"
    "the outcome goes to standard output.\n"
    "  --port DEVICE   the serial port of the unit, as /dev/ttyUSB0 or COM5\n"
    "  --timeout MS    the time the unit may take for each byte of a reply (default 5000)\n"
    "  --trace FILE    write a protocol trace to FILE: every frame with its bytes, time-outs, status texts\n"
    "  --erase-unit    upload a set that holds no message file: the unit's messages are erased and it is\n"
    "                  left with none (without this option such a set is refused and nothing is sent)\n"
    "Exit status 1 when the set was refused, or the unit refused or did not answer.\n";

int UploadCommand::run(CommandContext& context, const std::vector<std::string>& words) {
    CommandLine line(words, {{"port", "timeout", "trace"}, {"erase-unit"}});
    if (!line.ok())
        return context.usage("upload", line.error());
    if (line.positional().size() != 1)
        return context.usage("upload", "exactly one configuration file is needed");
    const auto link = context.linkOptions("upload", line);
    if (!link)
        return kUsage;

    auto session = context.sessionWith(line.positional().front());
    if (!session)
        return kRefused;
    HeadlessEditor& editor = session->editor();
    const bool eraseUnit = line.has("erase-unit");
    if (!eraseUnit && !editor.set().hasMessageFile())
        return context.refused(line.positional().front() +
                               " holds no message file: uploading it would erase the unit's messages and leave it "
                               "with none. Give --erase-unit to upload it all the same.");
    context.useLink(editor.bench().link(), *link);

    UploadDisplay display(editor, context.err, errorStreamIsTerminal());
    // The set was checked above: the window's question about an empty set is answered here.
    const UploadOutcome outcome = *editor.bench().sendMessages(Workbench::EmptySet::Erase);
    context.out << display.lastStatus() << "\n";
    return outcome.succeeded() ? kSuccess : kRefused;
}
