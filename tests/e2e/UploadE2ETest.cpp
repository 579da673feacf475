// Uploads end to end: Bt_SendMessage on the real serial port, the strict emulated unit on a pseudo-terminal,
// each of its fault options followed by an upload that succeeds, and the unit's memory image checked from its
// dump after each upload.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "EmulatorProcess.h"
#include "editor/Editor.h"
#include "editor/FormTexts.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtSerialPort.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "support/UnitMemory.h"
#include "unitlink/SerialLink.h"

namespace {

using namespace UnitMemory;

struct RealUpload {
    TempFolder folder;
    std::string link = folder.file("ttyKVT");
    std::string dump = folder.file("memory.bin");
    std::string log = folder.file("received.log");
    std::unique_ptr<EmulatorProcess> emulator;
    TestPlatform test;
    QtSerialPort port;
    QtEventPump pump;
    Platform platform = test.platformWith(test.fs, test.codec, port, pump);
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{platform, app};
    Form1& form = editor.form();
    Workbench bench{platform, app, mdi, form};
    std::string paths[13];

    /// (Re)starts the emulated unit on the same link, dump and log, with `faults` among its options.
    bool startUnit(const QStringList& faults = {}) {
        emulator.reset();
        QStringList options = {"--link", QString::fromStdString(link), "--dump", QString::fromStdString(dump),
                               "--log",  QString::fromStdString(log)};
        emulator = std::make_unique<EmulatorProcess>(options + faults);
        return !emulator->path().empty();
    }
    RealUpload() {
        startUnit();
        form.Form_Load();
        bench.link().settings.CommTimeOut = 3000;
        bench.link().settings.Com1Device = link;
    }
    void choose(int slot, const std::string& name, std::uint32_t length, std::uint32_t rate, int seed) {
        paths[slot] = folder.file(name);
        writeFileBytes(paths[slot], waveFileBytes(length, rate, seed));
        test.fileDialog.chooseNext(paths[slot]);
        form.Bt_Browse[slot].click();
    }
    std::string status(int index) const {
        auto trim = [](std::string t) {
            t.erase(t.find_last_not_of(' ') + 1);
            return t;
        };
        return trim(form.StatusText[11]) + " " + trim(form.StatusText[index]);
    }
    Bytes memory() const { return readFileBytes(dump); }
    void expectFilesAtTheirEntries(const Bytes& memory, int slots) {
        for (int i = 1; i <= slots; ++i) {
            Bytes stored = storedFormOf(readFileBytes(paths[i]));
            std::int64_t entry = tableEntry(memory, i);
            ASSERT_GE(entry, 0) << i;
            EXPECT_EQ(at(memory, static_cast<std::uint32_t>(entry), stored.size()), stored) << i;
        }
    }
    /// The three files of slots 1 to 3 and triggers 1 and 2.
    void threeSlots() {
        choose(1, "Gong.wav", 24045, 8000, 1);
        choose(2, "Fire.wav", 40044, 16000, 2);
        choose(3, "Exit.wav", 7399, 22050, 3);
        form.TRG1[1].setText("2");
        form.TRG1[2].setText("3");
        form.Check1[1].setValue(1);
        form.Check1[4].setValue(1);
    }
    std::string statusLine() const { return form.sbrStatus.panelText(1); }
    std::string failedBecause(int index, int reason) const {
        return status(index) + " " + form.LinkText[static_cast<std::size_t>(reason)];
    }
    /// The upload is over: the port as the user left it, the window usable, no progress shown.
    void expectIdle(bool connected = false) {
        EXPECT_EQ(port.portOpen(), connected);
        EXPECT_TRUE(mdi.enabled());
        EXPECT_FALSE(form.ProgressBar1.visible());
        EXPECT_EQ(test.screen.mousePointer(), IScreen::vbDefault);
    }
    /// A full upload that succeeds and leaves every file byte for byte where its table entry says.
    void expectFullUploadStores() {
        form.MsgUnchanged = false;
        form.Bt_SendMessage.click();
        ASSERT_EQ(statusLine(), status(2));
        expectIdle();
        Bytes image = memory();
        ASSERT_EQ(image.size(), 2u * 0x400000);
        expectFilesAtTheirEntries(image, 3);
        EXPECT_EQ(at(image, 0x3FF000 + 26, 2), (Bytes{0, 3}));
    }
    std::string logText() const {
        Bytes all = readFileBytes(log);
        return std::string(all.begin(), all.end());
    }
    int logCount(const std::string& text) const {
        Bytes all = readFileBytes(log);
        std::string s(all.begin(), all.end());
        int n = 0;
        for (auto p = s.find(text); p != std::string::npos; p = s.find(text, p + 1))
            ++n;
        return n;
    }
};

TEST(UploadE2E, fullThenConfigurationOnlyThenFullAgain_overThePseudoTerminal) {
    RealUpload r;
    ASSERT_FALSE(r.emulator->path().empty()) << "the emulator did not print its terminal";
    r.threeSlots();

    r.form.Bt_SendMessage.click();
    ASSERT_EQ(r.form.sbrStatus.panelText(1), r.status(2));
    EXPECT_FALSE(r.port.portOpen());
    EXPECT_TRUE(r.mdi.enabled());
    Bytes first = r.memory();
    ASSERT_EQ(first.size(), 2u * 0x400000);
    r.expectFilesAtTheirEntries(first, 3);
    for (int i = 4; i <= 12; ++i)
        EXPECT_EQ(tableEntry(first, i), -1);
    EXPECT_EQ(at(first, 0x3FF000 + 26, 2), (Bytes{0, 3}));
    EXPECT_EQ(at(first, 0x3FF100, 10), (Bytes{0, 2, 0, 3, 0, 0, 0, 0, 0, 0x09}));

    // Only a trigger changes: the tables alone are rewritten.
    r.form.TRG1[5].setText("1");
    r.form.Check1[6 + 6].setValue(1);
    const std::size_t logBefore = r.logText().size();
    r.form.Bt_SendMessage.click();
    ASSERT_EQ(r.form.sbrStatus.panelText(1), r.status(13));
    // Exactly R of the message table, R of each message's first 128 bytes and of the 128 ending with its check
    // word (after the file and its pad byte), P, E 3FF100, W, the two tables, the end frame and L.
    const std::string configOnly = r.logText().substr(logBefore);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = configOnly.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(configOnly.substr(configOnly.find(' ', at) + 1, end - configOnly.find(' ', at) - 1));
    auto readAt = [](std::uint32_t word) {
        char text[40];
        std::snprintf(text, sizeof text, "command R [%02X %02X %02X]: ACK", word >> 16 & 0xFF, word >> 8 & 0xFF,
                      word & 0xFF);
        return std::string(text);
    };
    std::vector<std::string> expected = {readAt(0x3FF000)};
    for (int i = 1; i <= 3; ++i) {
        const auto entry = static_cast<std::uint32_t>(tableEntry(first, i));
        const auto length = static_cast<std::uint32_t>(readFileBytes(r.paths[i]).size());
        expected.push_back(readAt(entry));
        expected.push_back(readAt(entry + ((length + 1) / 2 * 2 + 2 - 128) / 2));
    }
    for (const char* line :
         {"command P: ACK", "command E [3F F1 00]: ACK", "command W: ACK", "data frame at 3F F0 00, 128 bytes: ACK",
          "data frame at 3F F1 00, 128 bytes: ACK", "end frame: ACK", "command L: ACK"})
        expected.push_back(line);
    EXPECT_EQ(lines, expected);
    Bytes second = r.memory();
    EXPECT_EQ(at(second, 0, 2 * 0x3FF000), at(first, 0, 2 * 0x3FF000));
    EXPECT_EQ(at(second, 0x3FF100 + 5, 5), (Bytes{0, 1, 0, 0, 0}));
    EXPECT_EQ(at(second, 0x3FF100 + 9, 2), (Bytes{0, 0x20}));
    EXPECT_EQ(r.logCount("command E [3F FF FF]"), 1);
    EXPECT_EQ(r.logCount("command E [3F F1 00]"), 1);

    // A file edited on disk to the same length: the sizes agree, the content does not, everything goes again
    // and the unit holds the new file.
    writeFileBytes(r.paths[3], waveFileBytes(7399, 22050, 9));
    r.form.Bt_SendMessage.click();
    ASSERT_EQ(r.form.sbrStatus.panelText(1), r.status(2));
    r.expectFilesAtTheirEntries(r.memory(), 3);
    EXPECT_EQ(r.logCount("command E [3F FF FF]"), 2);

    // A file replaced: everything goes again.
    r.choose(2, "Alarm.wav", 15001, 12000, 7);
    r.form.Bt_SendMessage.click();
    ASSERT_EQ(r.form.sbrStatus.panelText(1), r.status(2));
    Bytes third = r.memory();
    r.expectFilesAtTheirEntries(third, 3);
    EXPECT_EQ(r.logCount("command E [3F FF FF]"), 3);
    EXPECT_TRUE(r.mdi.enabled());
    EXPECT_EQ(r.logCount("NAK"), 0) << r.logText();
}

TEST(UploadE2E, faultsTheProgramGetsOver_stillEndInAWholeUpload) {
    // Each first P, W, E and L refused; noise and garbage before every reply; a pace of 115200 baud.
    for (const QStringList& faults :
         {QStringList{"--nak-command", "PWEL"}, QStringList{"--noise", "7"}, QStringList{"--garbage", "25"},
          QStringList{"--nak-frame", "6", "--nak-frame", "14"}, QStringList{"--baud", "115200", "--progress", "4"}}) {
        SCOPED_TRACE(faults.join(" ").toStdString());
        RealUpload r;
        ASSERT_TRUE(r.startUnit(faults));
        r.choose(1, "Gong.wav", 3045, 8000, 1);
        r.choose(2, "Fire.wav", 1044, 16000, 2);
        r.choose(3, "Exit.wav", 799, 22050, 3);
        r.form.Bt_SendMessage.click();
        EXPECT_EQ(r.statusLine(), r.status(2));
        r.expectIdle();
        r.expectFilesAtTheirEntries(r.memory(), 3);
        EXPECT_EQ(r.logCount("NAK"), faults[0] == "--nak-command" ? 4
                                     : faults[0] == "--nak-frame" ? 2
                                                                  : 0)
            << r.logText();
        r.expectFullUploadStores();
    }
}

TEST(UploadE2E, faultsThatEndTheUpload_sayWhyAndTheNextUploadStoresEverything) {
    struct Case {
        QStringList faults;
        int reason;
    };
    // P, E, E, W, then the first data frame (frame 5) refused five times; the reply to the first data frame
    // garbled, so that the file ends early and the unit refuses what follows.
    for (const Case& c :
         {Case{{"--nak-frame", "5", "--nak-frame", "6", "--nak-frame", "7", "--nak-frame", "8", "--nak-frame", "9"},
               kLinkRefused},
          Case{{"--corrupt-frame", "5"}, kLinkRefused}, Case{{"--corrupt-frame", "1"}, kLinkMalformed}}) {
        SCOPED_TRACE(c.faults.join(" ").toStdString());
        RealUpload r;
        ASSERT_TRUE(r.startUnit(c.faults));
        r.threeSlots();
        r.form.Bt_SendMessage.click();
        EXPECT_EQ(r.statusLine(), r.failedBecause(3, c.reason));
        r.expectIdle();
        EXPECT_FALSE(r.form.MsgUnchanged);
        r.expectFullUploadStores();
    }
}

TEST(UploadE2E, silentUnit_costsOneTimeOutThenAFreshUnitTakesTheUpload) {
    RealUpload r;
    ASSERT_TRUE(r.startUnit({"--silent-after", "5"}));
    r.bench.link().settings.CommTimeOut = 1000;
    r.threeSlots();
    QElapsedTimer timer;
    timer.start();
    r.form.Bt_SendMessage.click();
    const qint64 took = timer.elapsed();
    EXPECT_EQ(r.statusLine(), r.failedBecause(3, kLinkNoAnswer));
    r.expectIdle();
    EXPECT_GE(took, 1000);
    EXPECT_LT(took, 1900);
    // Switched off and on again.
    ASSERT_TRUE(r.startUnit());
    r.expectFullUploadStores();
}

TEST(UploadE2E, missingFile_reachesNoByteOfTheUnit) {
    RealUpload r;
    r.threeSlots();
    std::filesystem::remove(r.paths[2]);
    r.form.Bt_SendMessage.click();
    EXPECT_EQ(r.statusLine(), r.status(3));
    ASSERT_EQ(r.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(r.test.msgBox.shown[0].text, "Path of message file is incorrect!\n\n2: " + r.paths[2]);
    r.expectIdle();
    EXPECT_EQ(r.logText(), "");
    r.choose(2, "Fire.wav", 40044, 16000, 2);
    r.expectFullUploadStores();
}

TEST(UploadE2E, connectedFirst_sendUploadsOverThatConnectionAndLeavesItOpen) {
    RealUpload r;
    r.threeSlots();
    r.form.imgNotConnected.click();
    ASSERT_TRUE(r.port.portOpen());
    r.form.Bt_SendMessage.click();
    EXPECT_EQ(r.statusLine(), r.status(2));
    EXPECT_TRUE(r.test.msgBox.shown.empty());
    r.expectIdle(true);
    EXPECT_TRUE(r.form.imgConnected.visible());
    r.expectFilesAtTheirEntries(r.memory(), 3);
    r.form.imgConnected.click();
    r.expectFullUploadStores();
}

TEST(UploadE2E, unitKilledMidUpload_endsWellWithinTheTimeOutSayingThePortWasLost) {
    // The pseudo-terminal goes with the unit, as a pulled USB adapter goes.
    RealUpload r;
    ASSERT_FALSE(r.emulator->path().empty());
    r.choose(1, "long.wav", 200000, 8000, 1);
    QElapsedTimer sinceKill;
    r.form.ProgressBar1.changed().connect([&] {
        if (!sinceKill.isValid() && r.form.ProgressBar1.value() >= 20000) {
            r.emulator->kill();
            sinceKill.start();
        }
    });
    r.form.Bt_SendMessage.click();
    ASSERT_TRUE(sinceKill.isValid()) << r.statusLine();
    EXPECT_LT(sinceKill.elapsed(), 1000);
    // The system's reason follows the port's name: a write refused or the line hung up, whichever came first.
    EXPECT_NE(r.statusLine().find(" The PC's serial port was lost (adapter unplugged?): " + r.link + ": "),
              std::string::npos)
        << r.statusLine();
    EXPECT_TRUE(r.form.imgNotConnected.visible());
    r.expectIdle();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
