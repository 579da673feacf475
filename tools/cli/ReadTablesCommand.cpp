#include "ReadTablesCommand.h"

#include "CommandContext.h"
#include "CommandLine.h"
#include "UploadDisplay.h"
#include "editor/Form1.h"
#include "editor/LinkPresenter.h"
#include "unitlink/PortConnection.h"
#include "unitlink/SerialLink.h"
#include "unitlink/ServicePanel.h"
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
    Form1& f = session->form();
    context.useLink(f, *link);

    UploadDisplay display(f, context.err, false);
    f.connection().imgNotConnected_Click();
    if (!context.headless.platform().serial.portOpen())
        return context.refused(f.Com1Device + ": cannot be opened");
    UploadImage& image = f.image();
    const bool ok = image.ReadMsgTab() && f.link().lastOutcome().ok() && f.service().readTables();
    if (ok)
        f.presenter().statusChanged({StatusEvent::Kind::ReadDone, {}});
    if (context.headless.platform().serial.portOpen())
        f.connection().imgConnected_Click();
    if (!ok)
        return context.refused("the unit's tables could not be read");

    context.out << "Message table: " << static_cast<int>(image.MsgNumber) << " messages, end at word "
                << image.EndAddress << "\n";
    for (int i = 1; i <= Form1::kSlots; ++i) {
        context.out << "  message " << i << ": ";
        if (image.MsgAddress[static_cast<std::size_t>(i)] < 0 || i > image.MsgNumber)
            context.out << "none\n";
        else
            context.out << "word " << image.MsgAddress[static_cast<std::size_t>(i)] << ", "
                        << image.UnitMsgSize[static_cast<std::size_t>(i)] << " bytes\n";
    }
    context.out << "Trigger table:\n";
    for (int t = 1; t <= Form1::kTriggers; ++t) {
        std::vector<int> steps, zones;
        for (int k = 1; k <= Form1::kSteps; ++k) {
            const std::string& text = f.TRG1[static_cast<std::size_t>(Form1::kSteps * (t - 1) + k)].text();
            if (text != "0")
                steps.push_back(std::stoi(text));
        }
        for (int z = 1; z <= Form1::kZones; ++z)
            if (f.Check1[static_cast<std::size_t>(Form1::kZones * (t - 1) + z)].value() != 0)
                zones.push_back(z);
        context.out << "  trigger " << t << ": messages " << joined(steps) << "; zones " << joined(zones) << "\n";
    }
    return kSuccess;
}
