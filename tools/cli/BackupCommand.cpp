#include "BackupCommand.h"

#include <cstdio>
#include <filesystem>
#include <map>

#include "CommandContext.h"
#include "CommandLine.h"
#include "UploadDisplay.h"
#include "platform/Platform.h"
#include "platform/Terminal.h"
#include "platform/Utf8Path.h"
#include "shell/HeadlessEditor.h"
#include "shell/LinkPresenter.h"
#include "shell/UnitBackup.h"
#include "shell/Workbench.h"
#include "unitlink/UnitReadBack.h"
#include "unitlink/UploadImage.h"

const char* const BackupCommand::kHelp =
    "usage: kvt3310-cli backup --port DEVICE -o FOLDER [--force] [--timeout MS] [--trace FILE]\n"
    "       kvt3310-cli backup --port DEVICE --verify SET.cfg [--timeout MS] [--trace FILE]\n"
    "Reads the unit back: its message and trigger tables, then every message it holds, word by word,\n"
    "up to the check word that closes it. Each message is written to FOLDER as the WAVE file it was\n"
    "uploaded from, message01.wav to message12.wav (only the slots that hold one), with MessageSetup.cfg\n"
    "naming them, the triggers and the zones, as the editor's Save writes it. A short report follows:\n"
    "each message's size and whether its check word holds, and the time taken. Files already in FOLDER\n"
    "are not replaced without --force. When the unit cannot be read back, nothing is written; when a read\n"
    "fails part-way, the messages recovered before it are written, without MessageSetup.cfg.\n"
    "With --verify, nothing is written: the unit is compared with the set of SET.cfg, message by message\n"
    "(same, different or missing) and for its triggers and zones.\n"
    "  --port DEVICE   the serial port of the unit, as /dev/ttyUSB0 or COM5\n"
    "  -o FOLDER       the folder to write into (made when missing; its parent must exist)\n"
    "  --force         replace files of an earlier backup in FOLDER\n"
    "  --verify SET.cfg  compare the unit with this set instead of writing files\n"
    "  --timeout MS    the time the unit may take for each byte of a reply (default 5000)\n"
    "  --trace FILE    write a protocol trace to FILE: every frame with its bytes, time-outs, status texts\n"
    "Exit status 1 when the unit could not be read back whole, a message's check word is wrong, a file\n"
    "could not be written or, with --verify, the unit does not hold the set exactly.\n";

namespace {

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

/// Seconds since `start` by the platform's clock of the day, across midnight.
double elapsed(const Platform& platform, double start) {
    double now = platform.clock.secondsOfDay();
    return now >= start ? now - start : now + 86400 - start;
}

int failure(CommandContext& context, Workbench& bench, const ReadBackOutcome& outcome, std::size_t messages) {
    return context.refused(bench.presenter().statusText(outcome, messages));
}

int verify(CommandContext& context, HeadlessEditor& editor, const std::string& setFile) {
    Workbench& bench = editor.bench();
    Platform& platform = context.headless.platform();
    const MessageSet set = editor.set();
    const ReadBackOutcome outcome = bench.readBack().read();
    const UnitContents& unit = bench.readBack().contents();
    if (!outcome.succeeded())
        return failure(context, bench, outcome, unit.messages.size());
    std::map<int, const RecoveredMessage*> recovered;
    for (const RecoveredMessage& m : unit.messages)
        recovered[m.slot] = &m;
    bool same = true;
    for (int i = 1; i <= MessageSet::kSlots; ++i) {
        const bool inSet = !set.WaveFile[i].empty();
        const auto found = recovered.find(i);
        if (!inSet && found == recovered.end())
            continue;
        std::string verdict;
        if (!inSet) {
            verdict = "not in the set";
        } else if (found == recovered.end()) {
            verdict = "missing";
        } else {
            const auto file = platform.fs.readFile(set.FilePath[i]);
            const auto& back = found->second->file;
            const bool equal = file && found->second->checkWordGood && std::string(back.begin(), back.end()) == *file;
            verdict = equal ? "same" : "different";
        }
        same = same && verdict == "same";
        context.out << "message " << i << ": " << verdict << "\n";
    }
    bench.image().setMessageSet(set);
    const TableBlocks::TriggerTable expected = bench.image().triggerTable();
    const bool triggersSame = expected.steps == unit.triggerTable.steps && expected.zones == unit.triggerTable.zones;
    context.out << "triggers and zones: " << (triggersSame ? "same" : "different") << "\n";
    same = same && triggersSame;
    context.out << (same ? "The unit holds the set of " : "The unit does not hold the set of ") << setFile << "\n";
    return same ? kSuccess : kRefused;
}

int backup(CommandContext& context, HeadlessEditor& editor, const std::string& folder, bool force) {
    Workbench& bench = editor.bench();
    Platform& platform = context.headless.platform();
    std::error_code error;
    // Asked before the read, which may take minutes, rather than found when the first file is written.
    const bool made = !std::filesystem::is_directory(utf8Path(folder), error);
    if (made && std::filesystem::exists(utf8Path(folder), error))
        return context.refused(folder + ": not a folder");
    if (made && !platform.fs.makeFolder(folder)) {
        const std::string reason = platform.fs.lastError();
        return context.refused(folder + ": cannot be made a folder" + (reason.empty() ? "" : ": " + reason));
    }
    std::string existing;
    for (const std::string& name : bench.backup().existingFiles(folder))
        existing += (existing.empty() ? "" : ", ") + name;
    if (!existing.empty() && !force)
        return context.refused(folder + " already holds " + existing + ": give --force to replace them");

    const double start = platform.clock.secondsOfDay();
    const UnitBackup::Result result = bench.backup().run(folder);
    const double took = elapsed(platform, start);
    // A folder made for a read that wrote nothing is not left behind (removing one that holds files fails).
    if (made)
        std::filesystem::remove(utf8Path(folder), error);
    std::uint64_t bytes = 0;
    for (const RecoveredMessage& m : result.contents.messages) {
        bytes += m.file.size();
        context.out << "message " << m.slot << ": ";
        if (m.file.empty())
            context.out << "no WAVE file recovered (its header is damaged)\n";
        else
            context.out << UnitBackup::waveName(m.slot) << ", " << m.file.size() << " bytes, check word "
                        << (m.checkWordGood ? "good" : "BAD") << "\n";
    }
    if (!result.config.empty())
        context.out << "set: " << result.config << "\n";
    context.out << result.contents.messages.size() << " messages, " << bytes << " bytes, read in " << seconds(took)
                << " s\n";
    if (!result.outcome.succeeded())
        return failure(context, bench, result.outcome, result.contents.messages.size());
    if (!result.failedFile.empty())
        return context.refused(result.failedFile + " could not be written" +
                               (result.reason.empty() ? "" : ": " + result.reason));
    if (!result.contents.damagedSlots().empty())
        return context.refused("messages damaged in the unit: their check word is wrong");
    return kSuccess;
}

}  // namespace

int BackupCommand::run(CommandContext& context, const std::vector<std::string>& words) {
    CommandLine line(words, {{"port", "timeout", "trace", "output", "verify"}, {"force"}});
    if (!line.ok())
        return context.usage("backup", line.error());
    if (!line.positional().empty())
        return context.usage("backup", "unexpected argument '" + line.positional()[0] + "'");
    if (line.has("output") == line.has("verify"))
        return context.usage("backup", "give either -o FOLDER or --verify SET.cfg");
    const auto link = context.linkOptions("backup", line);
    if (!link)
        return kUsage;

    const bool verifying = line.has("verify");
    auto session = verifying ? context.sessionWith(*line.value("verify")) : context.session();
    if (!session)
        return kRefused;
    HeadlessEditor& editor = session->editor();
    context.useLink(editor.bench().link(), *link);
    UploadDisplay display(editor, context.err, errorStreamIsTerminal());
    if (verifying)
        return verify(context, editor, *line.value("verify"));
    return backup(context, editor, EditorSession::fullPath(*line.value("output")), line.has("force"));
}
