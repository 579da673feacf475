#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/Editor.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/SdlWavPlayer.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/TestPlatform.h"

/// SDL's disk audio driver for the player tests: what the player plays is written, sample by sample as the
/// output takes it, to the file named by SDL_DISKAUDIOFILE when the output opens. Wave files with known
/// samples are written here from the canonical 44-byte layout.
namespace DiskAudio {

/// Takes effect when SDL's audio starts (the first "Play" of a player while no other player exists).
inline void selectDriver(const char* driver) {
    qputenv("SDL_AUDIODRIVER", driver);
}
/// Takes effect at the next "Play".
inline void outputTo(const QString& path) {
    qputenv("SDL_DISKAUDIOFILE", path.toLocal8Bit());
}

/// `count` samples that are never silent and tell `seed`s apart.
inline std::vector<std::int16_t> samples(int count, int seed) {
    std::vector<std::int16_t> out;
    for (int i = 0; i < count; ++i) {
        const int v = (i * 37 + seed * 1000) % 20000 + 1;
        out.push_back(static_cast<std::int16_t>(i % 2 ? v : -v));
    }
    return out;
}

inline void put(QByteArray& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

/// A 16-bit mono PCM file at `rate` holding `sound`.
inline void writeWave(const std::string& path, std::uint32_t rate, const std::vector<std::int16_t>& sound) {
    const std::uint32_t dataSize = static_cast<std::uint32_t>(sound.size() * 2);
    QByteArray b("RIFF");
    put(b, 36 + dataSize, 4);
    b.append("WAVEfmt ");
    put(b, 16, 4);
    put(b, 1, 2);         // PCM
    put(b, 1, 2);         // channels
    put(b, rate, 4);      // sample rate
    put(b, rate * 2, 4);  // bytes per second
    put(b, 2, 2);         // block align
    put(b, 16, 2);        // bits per sample
    b.append("data");
    put(b, dataSize, 4);
    for (std::int16_t s : sound)
        put(b, static_cast<std::uint16_t>(s), 2);
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::WriteOnly))
        file.write(b);
}

inline std::vector<std::int16_t> readOutput(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = file.readAll();
    std::vector<std::int16_t> out;
    for (qsizetype i = 0; i + 1 < b.size(); i += 2)
        out.push_back(
            static_cast<std::int16_t>(static_cast<std::uint8_t>(b[i]) | static_cast<std::uint8_t>(b[i + 1]) << 8));
    return out;
}

/// The sound part of an output: what lies between the silence the output starts and ends with.
inline std::vector<std::int16_t> heard(const std::vector<std::int16_t>& output) {
    std::size_t first = 0;
    while (first < output.size() && output[first] == 0)
        ++first;
    std::size_t end = output.size();
    while (end > first && output[end - 1] == 0)
        --end;
    return {output.begin() + static_cast<std::ptrdiff_t>(first), output.begin() + static_cast<std::ptrdiff_t>(end)};
}

}  // namespace DiskAudio

/// The editor over the test fakes, except for the real player and the real event loop.
struct AudioEditor {
    TestPlatform test;
    SdlWavPlayer player;
    QtEventPump events;
    Platform platform{test.fs,    test.codec,   test.msgBox, test.fileDialog, test.serial, player,        events,
                      test.clock, test.windows, test.viewer, test.screen,     test.ports,  test.converter};
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{platform, app};
    Form1& form = editor.form();
    Workbench bench{platform, app, mdi, form};

    AudioEditor() { form.Form_Load(); }

    /// Slot `i` gets a file at `rate` holding `sound`, chosen through its Browse button.
    std::string fill(int i, std::uint32_t rate, const std::vector<std::int16_t>& sound) {
        const std::string path = test.folder.file("msg" + std::to_string(i) + ".wav");
        DiskAudio::writeWave(path, rate, sound);
        test.fileDialog.chooseNext(path);
        form.Bt_Browse[i].click();
        return path;
    }

    /// Trigger `t` gets the step texts, as picked from the lists.
    void steps(int t, const std::vector<std::string>& texts) {
        for (std::size_t k = 0; k < texts.size(); ++k)
            form.TRG1[Form1::kSteps * (t - 1) + 1 + static_cast<int>(k)].setText(texts[k]);
        form.TRG1[Form1::kSteps * (t - 1) + 1].Click();
    }
};
