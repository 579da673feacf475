// bench-backup: how fast a set comes back from the emulated unit over a pseudo-terminal, paced at the line rate
// in both directions, against the stop-and-wait bound of the "R" exchange.
#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ForwardingPort.h"
#include "PacedUnit.h"
#include "editor/Editor.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtSerialPort.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "unitlink/SerialLink.h"
#include "unitlink/TableBlocks.h"
#include "unitlink/UnitReadBack.h"
#include "unitlink/WaveFrames.h"

namespace {

/// An "R" exchange: the command frame (9 header bytes, the 3-byte address, checksum, CR LF) and the reply
/// (9 header bytes, 128 data bytes, checksum, CR LF).
constexpr double kExchangeBytes = (9 + 3 + 4) + (9 + 128 + 4);
/// The data area the unit's memory holds messages in.
constexpr double kDataAreaBytes = 0x3FF000 * 2.0;

/// Puts the files into the unit's memory as an upload leaves them: each stored from where the last ended, in
/// whole frames, and both tables.
void store(EmulatedUnit& unit, const std::vector<std::vector<std::uint8_t>>& files) {
    TableBlocks::MessageTable table;
    table.msgAddress.fill(-1);
    std::uint32_t address = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        table.msgAddress[i + 1] = static_cast<std::int32_t>(address);
        for (const WaveFrames::Frame& frame : WaveFrames::all(files[i])) {
            for (std::size_t b = 0; b < frame.size(); b += 2)
                unit.setWord(address++, static_cast<std::uint16_t>(frame[b] << 8 | frame[b + 1]));
        }
    }
    table.endAddress = static_cast<std::int32_t>(address);
    table.msgNumber = static_cast<std::uint8_t>(files.size());
    TableBlocks::TriggerTable triggers;
    triggers.steps[1] = 1;
    triggers.zones[1] = true;
    for (const auto& [at, block] : {std::pair{TableBlocks::kMsgTabAddress, TableBlocks::messageBlock(table)},
                                    std::pair{TableBlocks::kTrgTabAddress, TableBlocks::triggerBlock(triggers)}})
        for (std::size_t b = 0; b < block.size(); b += 2)
            unit.setWord(at + static_cast<std::uint32_t>(b / 2),
                         static_cast<std::uint16_t>(block[b] << 8 | block[b + 1]));
}

/// The real port, noting when the tool writes: the paced unit counts the line idle from there to its next
/// reply's hand-over as the tool's share.
class NotingPort : public ForwardingPort {
public:
    using ForwardingPort::ForwardingPort;
    void output(const std::vector<std::uint8_t>& bytes) override {
        wroteNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        m_port.output(bytes);
    }

    std::atomic<std::int64_t> wroteNs{0};
};

struct Result {
    bool ok = false;
    std::string status;
    int reads = 0;
    double seconds = 0;
    std::uint64_t bytes = 0;
    double toolShareSeconds = 0;
};

Result readBack(int baud, const std::vector<std::vector<std::uint8_t>>& files) {
    Result r;
    PacedUnit unit(baud);
    store(unit.unit(), files);
    if (!unit.start()) {
        r.status = unit.error();
        return r;
    }
    TestPlatform test;
    QtSerialPort serial;
    NotingPort port(serial);
    unit.setPcClock(&port.wroteNs);
    QtEventPump pump;
    QtClock clock;
    Platform platform{test.fs, test.codec,   test.msgBox, test.fileDialog, port,       test.player,   pump,
                      clock,   test.windows, test.viewer, test.screen,     test.ports, test.converter};
    AppState app;
    MDIKVT3310 mdi;
    Editor editor(platform, app);
    Workbench bench(platform, app, mdi, editor.form());
    editor.form().Form_Load();
    bench.link().settings.Com1Device = unit.path();

    const auto start = std::chrono::steady_clock::now();
    const ReadBackOutcome outcome = bench.readBack().read();
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.reads = bench.readBack().reads();
    r.toolShareSeconds = unit.idleSeconds();
    const UnitContents& back = bench.readBack().contents();
    r.ok = outcome.succeeded() && back.messages.size() == files.size() && back.damagedSlots().empty();
    for (std::size_t i = 0; r.ok && i < files.size(); ++i)
        r.ok = back.messages[i].file == files[i];
    for (const auto& file : files)
        r.bytes += file.size();
    r.status = r.ok ? "every file back byte for byte" : "NOT read back whole";
    return r;
}

void report(const char* title, const Result& r, int baud, double fullReads) {
    const double boundMs = kExchangeBytes * 11.0 / baud * 1000.0;
    const double perReadMs = r.seconds * 1000 / r.reads;
    std::printf("%s: %s\n", title, r.status.c_str());
    std::printf("  %llu bytes of files, %d reads of 128 bytes, %.2f s, %.3f ms a read\n",
                static_cast<unsigned long long>(r.bytes), r.reads, r.seconds, perReadMs);
    std::printf(
        "  bound %.3f ms a read (%.0f bytes at %d baud, 11 bits a byte): %.2f s for these reads;"
        " backup at %.2f%% of the bound\n",
        boundMs, kExchangeBytes, baud, boundMs * r.reads / 1000, 100 * boundMs / perReadMs);
    const double shareMs = r.toolShareSeconds * 1000 / r.reads;
    std::printf(
        "  tool's share (reply handed over to the next command written): %.3f ms a read; with the\n"
        "  emulator's own late wake-ups taken out the backup would run at %.2f%% of the bound\n",
        shareMs, 100 * boundMs / (boundMs + shareMs));
    if (fullReads > 0)
        std::printf("  full memory (%.0f reads): %.1f min extrapolated, bound %.1f min\n", fullReads,
                    perReadMs * fullReads / 60000, boundMs * fullReads / 60000);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::string demo;
    double fraction = 0.05;
    int baud = 115200;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--demo")
            demo = argv[i + 1];
        else if (option == "--full")
            fraction = std::atof(argv[i + 1]);
        else if (option == "--baud")
            baud = std::atoi(argv[i + 1]);
    }
    if (argc % 2 == 0 || fraction < 0 || fraction > 1 || baud <= 0) {
        std::fprintf(stderr,
                     "usage: bench-backup [--demo FOLDER] [--full FRACTION] [--baud N]\n"
                     "  --demo: the WAVE files of FOLDER (the build's demo-set), in name order, as the unit's set\n"
                     "  --full: FRACTION (0 to 1) of a set that fills the memory; 0 skips it (default 0.05).\n"
                     "  A full run at 115200 baud takes about 16 minutes.\n");
        return 2;
    }
    const double fullReads = std::ceil(kDataAreaBytes / 128);
    std::printf("paced at %d baud, 11 bits a byte, both directions; stop-and-wait bound %.3f ms per 128 bytes\n", baud,
                kExchangeBytes * 11.0 / baud * 1000.0);
    std::printf("bound for a full memory (%.0f bytes, %.0f reads): %.1f min\n", kDataAreaBytes, fullReads,
                kExchangeBytes * 11.0 / baud * fullReads / 60);
    if (!demo.empty()) {
        std::vector<std::string> paths;
        for (const auto& entry : std::filesystem::directory_iterator(demo))
            if (entry.path().extension() == ".wav")
                paths.push_back(entry.path().string());
        std::sort(paths.begin(), paths.end());
        std::vector<std::vector<std::uint8_t>> files;
        for (const std::string& path : paths)
            files.push_back(readFileBytes(path));
        report("demo set", readBack(baud, files), baud, 0);
    }
    if (fraction > 0) {
        // 12 files whose stored sizes fill the 8,380,000 bytes the editor allows, cut to the fraction.
        constexpr std::uint32_t kFullLength = 698246;
        auto length = static_cast<std::uint32_t>(std::lround(kFullLength * fraction)) & ~1u;
        length = std::max<std::uint32_t>(length, 1044);
        std::vector<std::vector<std::uint8_t>> files;
        for (int i = 1; i <= 12; ++i)
            files.push_back(waveFileBytes(length, 8000, i));
        report("full memory, cut to the fraction", readBack(baud, files), baud, fullReads);
    }
    return 0;
}
