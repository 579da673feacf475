#include "ReadTablesCommand.h"

#include "CommandContext.h"
#include "CommandLine.h"
#include "UploadDisplay.h"
#include "shell/HeadlessEditor.h"
#include "shell/LinkPresenter.h"
#include "shell/PortConnection.h"
#include "shell/ServicePanel.h"
#include "shell/Workbench.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UploadImage.h"

const char* const ReadTablesCommand::kHelp =
    "usage: kvt3310-cli read-tables --port DEVICE [--timeout MS] [--trace FILE]\n"
    "Reads the message table of the unit (where each message starts and its size) and, through the\n"
    "service commands, its trigger table (the messages of each trigger's sequence and its zones), and\n"
    "prints them. Nothing is written to the unit.\n"
    "  --port DEVICE   the serial device of the unit, as /dev/ttyUSB0 (on Windows a port, as COM3)\n"
    "  --timeout MS    the time the unit may take for each byte of a reply (default 5000)\n"
    "  --trace FILE    write a protocol trace to FILE: every frame with its bytes, time-outs, status texts\n"
    "Exit status 1 when the unit did not answer.\n";

namespace {

std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers)
        text += (text.empty() ? "" : ",") + std::to_string(n);
    return text.empty() ? "-" : text;
}

}  // namespace

int ReadTablesCommand::run(CommandContext& context, const std::vector<std::string>& words) {
    CommandLine line(words, {{"port", "timeout", "trace"}, {}});
    if (!line.ok())
        return context.usage("read-tables", line.error());
    if (!line.positional().empty())
        return context.usage("read-tables", "unexpected argument '" + line.positional()[0] + "'");
    const auto link = context.linkOptions("read-tables", line);
    if (!link)
        return kUsage;

    auto session = context.session();
    if (!session)
        return kRefused;
    HeadlessEditor& editor = session->editor();
    Workbench& bench = editor.bench();
    context.useLink(bench.link(), *link);

    UploadDisplay display(editor, context.err, false);
    bench.connection().imgNotConnected_Click();
    if (!context.headless.platform().serial.portOpen())
        return context.refused(bench.link().settings.Com1Device + ": cannot be opened");
    UploadImage& image = bench.image();
    ServicePanel& service = bench.service();
    const bool ok = image.ReadMsgTab() && bench.link().lastOutcome().ok() && service.readTriggerTable();
    if (ok)
        bench.presenter().statusChanged({StatusEvent::Kind::ReadDone, {}});
    if (context.headless.platform().serial.portOpen())
        bench.connection().imgConnected_Click();
    if (!ok) {
        const std::string why = bench.presenter().reasonText(bench.link().lastOutcome());
        return context.refused("the unit's tables could not be read" + (why.empty() ? "" : ": " + why));
    }

    if (image.MsgNumber == 0)
        context.out << "Message table: the unit holds no messages\n";
    else
        context.out << "Message table: " << static_cast<int>(image.MsgNumber) << " messages, end at word "
                    << image.EndAddress << "\n";
    for (int i = 1; i <= MessageSet::kSlots && image.MsgNumber > 0; ++i) {
        context.out << "  message " << i << ": ";
        if (image.MsgAddress[static_cast<std::size_t>(i)] < 0 || i > image.MsgNumber)
            context.out << "none\n";
        else
            context.out << "word " << image.MsgAddress[static_cast<std::size_t>(i)] << ", "
                        << image.UnitMsgSize[static_cast<std::size_t>(i)] << " bytes\n";
    }
    if (service.TriggerTableBlank) {
        context.out << "Trigger table: none (erased)\n";
        return kSuccess;
    }
    context.out << "Trigger table:\n";
    const MessageSet set = editor.set();
    for (int t = 1; t <= MessageSet::kTriggers; ++t) {
        std::vector<int> steps, zones;
        for (int k = 1; k <= MessageSet::kSteps; ++k) {
            const std::string& text = set.TRG1Text[static_cast<std::size_t>(MessageSet::kSteps * (t - 1) + k)];
            if (text != "0")
                steps.push_back(std::stoi(text));
        }
        for (int z = 1; z <= MessageSet::kZones; ++z)
            if (set.zone(t, z))
                zones.push_back(z);
        context.out << "  trigger " << t << ": messages " << joined(steps) << "; zones " << joined(zones) << "\n";
    }
    return kSuccess;
}
