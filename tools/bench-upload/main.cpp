// bench-upload: how fast a set that fills the unit's memory goes to the emulated unit over a pseudo-terminal,
// unpaced and paced at the line rate, and what the tool itself spends on each frame.
#include <sys/resource.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

namespace {

using Clock = std::chrono::steady_clock;

/// The real port, with the moments of its traffic noted: the tool's turnaround is the time from taking the
/// bytes that completed a reply to handing over the first piece of the next frame.
class TimedPort : public ForwardingPort {
public:
    TimedPort(QtSerialPort& port, const PacedUnit& unit) : ForwardingPort(port), m_unit(unit) {}
    void output(const std::vector<std::uint8_t>& bytes) override {
        if (m_replyPending) {
            m_turnaround += Clock::now() - m_lastInput;
            ++m_turnarounds;
            m_replyPending = false;
            // From the reply's last byte going out to the tool taking it: the tool's wake-up.
            const std::int64_t lastByte = m_unit.lastReplyByteNs();
            const std::int64_t taken =
                std::chrono::duration_cast<std::chrono::nanoseconds>(m_lastInput.time_since_epoch()).count();
            if (lastByte > 0 && taken > lastByte)
                m_wakeNs += taken - lastByte;
        }
        wroteNs = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
        m_port.output(bytes);
    }
    std::vector<std::uint8_t> input() override {
        auto bytes = m_port.input();
        if (!bytes.empty()) {
            m_lastInput = Clock::now();
            m_replyPending = true;
        }
        return bytes;
    }

    /// When the tool last wrote to the port (CLOCK_MONOTONIC, ns).
    std::atomic<std::int64_t> wroteNs{0};

    double meanWakeUs() const { return m_turnarounds ? static_cast<double>(m_wakeNs) / 1000.0 / m_turnarounds : 0; }
    double meanTurnaroundUs() const {
        return m_turnarounds ? std::chrono::duration<double, std::micro>(m_turnaround).count() / m_turnarounds : 0;
    }

private:
    const PacedUnit& m_unit;
    std::int64_t m_wakeNs = 0;
    Clock::time_point m_lastInput;
    bool m_replyPending = false;
    Clock::duration m_turnaround{};
    long m_turnarounds = 0;
};

double threadCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Result {
    bool ok = false;
    std::string status;
    long dataFrames = 0;
    double seconds = 0;
    double cpuSeconds = 0;
    double turnaroundUs = 0;
    double lineIdleSeconds = 0;
    double wakeUs = 0;
};

Result upload(int baud, const std::vector<std::string>& files) {
    Result r;
    PacedUnit unit(baud);
    if (!unit.start()) {
        r.status = unit.error();
        return r;
    }
    TestPlatform test;
    QtSerialPort port;
    TimedPort timed(port, unit);
    unit.setPcClock(&timed.wroteNs);
    QtEventPump pump;
    QtClock clock;
    Platform platform{test.fs, test.codec,   test.msgBox, test.fileDialog, timed,      test.player,   pump,
                      clock,   test.windows, test.viewer, test.screen,     test.ports, test.converter};
    AppState app;
    MDIKVT3310 mdi;
    Editor editor(platform, app);
    Form1& form = editor.form();
    Workbench bench(platform, app, mdi, form);
    form.Form_Load();
    bench.link().settings.Com1Device = unit.path();
    for (std::size_t i = 0; i < files.size(); ++i) {
        test.fileDialog.chooseNext(files[i]);
        form.Bt_Browse[static_cast<int>(i) + 1].click();
    }
    r.dataFrames = form.TFileLength / 350;

    const auto start = Clock::now();
    const double cpuStart = threadCpuSeconds();
    form.Bt_SendMessage.click();
    r.cpuSeconds = threadCpuSeconds() - cpuStart;
    r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    r.turnaroundUs = timed.meanTurnaroundUs();
    r.wakeUs = timed.meanWakeUs();
    r.status = form.sbrStatus.panelText(1);
    r.ok = form.MsgUnchanged;
    r.lineIdleSeconds = unit.idleSeconds();
    return r;
}

void report(const char* title, const Result& r, long fullFrames, int baud) {
    std::printf("%s\n  status: %s\n", title, r.status.c_str());
    if (!r.ok || r.dataFrames == 0)
        return;
    const double perFrameMs = r.seconds * 1000 / static_cast<double>(r.dataFrames);
    std::printf("  data frames %ld, %.2f s, %.0f frames/s, %.3f ms a frame\n", r.dataFrames, r.seconds,
                r.dataFrames / r.seconds, perFrameMs);
    std::printf("  tool CPU %.3f s: %.1f us a frame, %.2f%% of one core\n", r.cpuSeconds,
                r.cpuSeconds * 1e6 / static_cast<double>(r.dataFrames), 100 * r.cpuSeconds / r.seconds);
    std::printf("  tool turnaround (reply taken to next frame handed over): %.1f us a frame\n", r.turnaroundUs);
    if (baud > 0) {
        const double boundMs = (360.0 + 14.0) * 11.0 / baud * 1000.0;
        std::printf("  stop-and-wait bound %.3f ms a frame: upload at %.2f%% of it, %.3f ms a frame above it\n",
                    boundMs, 100 * boundMs / perFrameMs, perFrameMs - boundMs);
        const double pcShareUs = r.lineIdleSeconds * 1e6 / static_cast<double>(r.dataFrames);
        std::printf(
            "  tool's share a frame (reply handed over to next frame written): %.1f us, of which wake-up %.1f us\n",
            pcShareUs, r.wakeUs);
        std::printf("  emulator's own delays (late wake-ups of its thread): %.1f us a frame\n",
                    (perFrameMs - boundMs) * 1000 - pcShareUs);
        std::printf("  with an exact emulator the upload would run at %.2f%% of the bound\n",
                    100 * boundMs / (boundMs + pcShareUs / 1000));
        std::printf("  full memory (%ld frames): %.1f min extrapolated, bound %.1f min\n", fullFrames,
                    perFrameMs * static_cast<double>(fullFrames) / 60000,
                    boundMs * static_cast<double>(fullFrames) / 60000);
    } else {
        std::printf("  full memory (%ld frames): %.1f s extrapolated\n", fullFrames,
                    perFrameMs * static_cast<double>(fullFrames) / 1000);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    double unpacedFraction = 1.0;
    double pacedFraction = 0.02;
    int baud = 115200;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--unpaced")
            unpacedFraction = std::atof(argv[i + 1]);
        else if (option == "--paced")
            pacedFraction = std::atof(argv[i + 1]);
        else if (option == "--baud")
            baud = std::atoi(argv[i + 1]);
    }
    if (argc % 2 == 0 || unpacedFraction < 0 || unpacedFraction > 1 || pacedFraction < 0 || pacedFraction > 1 ||
        baud <= 0) {
        std::fprintf(stderr,
                     "usage: bench-upload [--unpaced FRACTION] [--paced FRACTION] [--baud N]\n"
                     "  FRACTION of the full memory (0 to 1; 0 skips the run). Defaults: unpaced 1, paced 0.02,\n"
                     "  baud 115200. A paced run of the full memory takes about 14 minutes.\n");
        return 2;
    }

    // 12 files whose stored sizes fill the 8,380,000 bytes: 698,246 bytes, check word, 1995 frames each.
    constexpr std::uint32_t kFullLength = 698246;
    const long fullFrames = 12L * ((kFullLength + 2 + 349) / 350);
    TempFolder folder;
    auto filesFor = [&](double fraction, const char* tag) {
        std::vector<std::string> files;
        auto length = static_cast<std::uint32_t>(std::lround(kFullLength * fraction)) & ~1u;
        length = std::max<std::uint32_t>(length, 1044);
        for (int i = 1; i <= 12; ++i) {
            files.push_back(folder.file(std::string(tag) + std::to_string(i) + ".wav"));
            writeFileBytes(files.back(), waveFileBytes(length, 8000, i));
        }
        return files;
    };

    if (unpacedFraction > 0) {
        std::printf("unpaced, %.0f%% of the memory\n", unpacedFraction * 100);
        report("unpaced", upload(0, filesFor(unpacedFraction, "u")), fullFrames, 0);
    }
    if (pacedFraction > 0) {
        std::printf("paced at %d baud, 11 bits a byte, both directions, %.1f%% of the memory\n", baud,
                    pacedFraction * 100);
        report("paced", upload(baud, filesFor(pacedFraction, "p")), fullFrames, baud);
    }
    return 0;
}
