// kvt3310-emu: an emulated KVT3310 unit on a pseudo-terminal, for trying the tool and for its tests.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "EmulatedUnit.h"
#include "PtyHost.h"

namespace {

volatile bool g_stop = false;

void onSignal(int) {
    g_stop = true;
}

const char* const kUsage =
    "usage: kvt3310-emu [options]\n"
    "Opens a pseudo-terminal, prints its path on the first line and answers there as a KVT3310 unit.\n"
    "  --link PATH          also make PATH a symbolic link to the terminal\n"
    "  --baud N             pace both directions at N baud, 11 bits per byte (default: no pacing): a frame\n"
    "                       from the PC counts as received when its last byte would have crossed the line,\n"
    "                       and replies go out at the line's rate\n"
    "  --progress N         '.' bytes sent while erasing or checking (default 2)\n"
    "  --dump FILE          write the memory image (8 MiB, words high byte first) to FILE after each \"L\"\n"
    "                       command and at exit\n"
    "  --log FILE           append a line per received frame to FILE: what the unit did, and why it refused\n"
    "Faults to make on purpose (frames count from 1, command and data frames alike):\n"
    "  --nak-frame N        answer the N-th frame with NAK (may be repeated)\n"
    "  --nak-command LETTERS  answer the first frame of each command listed (for example PWE) with NAK\n"
    "  --silent-after N     answer nothing after N frames (0: from the first)\n"
    "  --noise N            send N noise bytes (FF 55 ...) before every reply frame\n"
    "  --garbage N          send N bytes of garbage (any value but \"*\") before every reply frame\n"
    "  --corrupt-frame N    give the reply to the N-th frame a wrong checksum (may be repeated)\n"
    "  --refuse-reads 1     answer \"R\" below the table area (0x3FF000) with NAK: the tables can be read,\n"
    "                       the messages cannot\n";

bool number(const char* text, int& value) {
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (!text[0] || *end || n < 0 || n > 100000000)
        return false;
    value = static_cast<int>(n);
    return true;
}

bool dump(const EmulatedUnit& unit, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(unit.memory().data()), static_cast<std::streamsize>(unit.memory().size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    UnitFaults faults;
    std::string link, dumpPath, logPath;
    int baud = 0;
    int progress = 2;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage << "\n" << EmulatedUnit::kChecks;
            return 0;
        }
        if (i + 1 >= argc) {
            std::cerr << "kvt3310-emu: " << option << " needs a value\n" << kUsage;
            return 2;
        }
        const char* value = argv[++i];
        int n = 0;
        bool ok = true;
        if (option == "--link") {
            link = value;
        } else if (option == "--dump") {
            dumpPath = value;
        } else if (option == "--log") {
            logPath = value;
        } else if (option == "--nak-command") {
            for (const char* c = value; *c; ++c)
                faults.nakCommands.insert(*c);
        } else if (!(ok = number(value, n))) {
        } else if (option == "--baud") {
            baud = n;
        } else if (option == "--progress") {
            progress = n;
        } else if (option == "--nak-frame") {
            faults.nakFrames.insert(n);
        } else if (option == "--silent-after") {
            faults.silentAfter = n;
        } else if (option == "--noise") {
            faults.noiseBytes = n;
        } else if (option == "--garbage") {
            faults.garbageBytes = n;
        } else if (option == "--corrupt-frame") {
            faults.corruptFrames.insert(n);
        } else if (option == "--refuse-reads") {
            faults.refuseDataReads = n != 0;
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "kvt3310-emu: bad option " << option << " " << value << "\n" << kUsage;
            return 2;
        }
    }

    EmulatedUnit unit(faults);
    unit.progressBytes = progress;
    PtyHost host;
    host.baud = baud;
    if (!host.open() || (!link.empty() && !host.makeLink(link))) {
        std::cerr << "kvt3310-emu: " << host.error() << "\n";
        return 1;
    }
    std::cout << host.path() << std::endl;

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);

    std::ofstream log;
    if (!logPath.empty())
        log.open(logPath, std::ios::app);
    std::size_t logged = 0;
    int closes = 0;
    host.run(
        [&](const std::vector<std::uint8_t>& bytes, bool whileReplying) {
            auto reply = unit.receive(bytes, whileReplying);
            for (; logged < unit.log().size(); ++logged)
                if (log.is_open())
                    log << unit.log()[logged] << std::endl;
            if (!dumpPath.empty() && unit.commandCount('L') != closes) {
                closes = unit.commandCount('L');
                dump(unit, dumpPath);
            }
            return reply;
        },
        g_stop);
    if (!dumpPath.empty() && !dump(unit, dumpPath)) {
        std::cerr << "kvt3310-emu: cannot write " << dumpPath << "\n";
        return 1;
    }
    return 0;
}
