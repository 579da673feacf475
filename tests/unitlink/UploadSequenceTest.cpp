// The upload button against the emulated unit: full and configuration-only uploads, their decision, the
// faults and what each leaves behind, and the progress display.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "editor/FormTexts.h"
#include "editor/StoredSize.h"
#include "shell/LanguageApplier.h"
#include "shell/PortConnection.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UploadFixture.h"
#include "unitlink/UploadImage.h"
#include "unitlink/UploadSequence.h"

namespace {

using Bytes = UploadFixture::Bytes;

struct Upload : UploadFixture {
    std::string paths[13];
    /// Every wait of the upload after the first read time-out, and whether the main window was enabled then.
    bool enabledWhileRunning = false;

    explicit Upload(UnitFaults faults = {}) : UploadFixture(std::move(faults)) {
        test.events.onWait = [this] {
            if (mdi.enabled())
                enabledWhileRunning = true;
        };
    }
    /// Slots 1 to 3 filled (odd, even and a frame-boundary length), triggers 1 and 2 set.
    void threeSlots() {
        paths[1] = wave("gong.wav", 1045, 1);
        paths[2] = wave("fire.wav", 2000, 2);
        paths[3] = wave("exit.wav", 1049, 3);
        for (int i = 1; i <= 3; ++i)
            choose(i, paths[i]);
        form.TRG1[1].setText("3");
        form.TRG1[2].setText("1");
        form.Check1[1].setValue(1);
        form.Check1[6].setValue(1);
        form.TRG1[5].setText("2");
        form.Check1[6 + 4].setValue(1);
    }
    /// The status line after a failure: `StatusText`(index) and the reason, `LinkText`(reason).
    std::string failedBecause(int index, int reason) const {
        return statusOf(index) + " " + form.LinkText[static_cast<std::size_t>(reason)];
    }
    void expectIdle() {
        EXPECT_FALSE(test.serial.portOpen());
        EXPECT_TRUE(mdi.enabled());
        EXPECT_EQ(test.screen.mousePointer(), IScreen::vbDefault);
        EXPECT_FALSE(form.ProgressBar1.visible());
        EXPECT_FALSE(enabledWhileRunning);
    }
    void expectStored(int slot) {
        Bytes stored = storedFormOf(fileBytes(paths[slot]));
        ASSERT_GE(tableAddress(slot), 0) << slot;
        EXPECT_EQ(memory(static_cast<std::uint32_t>(tableAddress(slot)), stored.size()), stored) << slot;
    }
};

}  // namespace

TEST(FullUpload, threeFiles_landAtTheTablesAddressesAndTheTablesDecodeToTheSet) {
    Upload u;
    u.threeSlots();
    u.upload();

    EXPECT_EQ(u.status(), u.statusOf(2));
    u.expectIdle();
    EXPECT_TRUE(u.form.MsgUnchanged);
    EXPECT_EQ(u.tableAddress(1), 0);
    // 1045 bytes, pad and check word take 3 frames; 2000 bytes and check word 6; 1049 bytes 4.
    EXPECT_EQ(u.tableAddress(2), 3 * 175);
    EXPECT_EQ(u.tableAddress(3), 9 * 175);
    for (int i = 4; i <= 12; ++i)
        EXPECT_EQ(u.tableAddress(i), -1);
    for (int i = 1; i <= 3; ++i)
        u.expectStored(i);
    // End address and count, then the trigger records of triggers 1 and 2.
    EXPECT_EQ(u.memory(0x3FF000 + 24, 6), (Bytes{0, 0, 0x08, 0xE3, 0, 3}));
    EXPECT_EQ(u.memory(0x3FF100, 20), (Bytes{0, 3, 0, 1, 0, 0, 0, 0, 0, 0x21, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0x08}));
    EXPECT_EQ(u.form.LastAddress.text(), std::to_string(13 * 175));
    EXPECT_EQ(u.form.MsgNum.text(), "3");
    EXPECT_EQ(u.unit().commandCount('E'), 2);
    EXPECT_EQ(u.unit().commandCount('L'), 1);
}

TEST(FullUpload, emptySlotBetweenFilledOnes_getsNoAddressAndNoCount) {
    Upload u;
    u.paths[1] = u.wave("a.wav", 600, 1);
    u.paths[2] = u.wave("b.wav", 800, 2);
    u.choose(1, u.paths[1]);
    u.choose(2, u.paths[2]);
    // A set as a configuration file can hold it: slot 2 named, slot 1 empty.
    u.form.WaveFile[1].Change = nullptr;
    u.form.WaveFile[1].setText("");
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
    EXPECT_EQ(u.tableAddress(1), -1);
    EXPECT_EQ(u.tableAddress(2), 0);
    EXPECT_EQ(u.memory(0x3FF000 + 26, 2), (Bytes{0, 1}));
}

TEST(ConfigOnlyUpload, afterChangingOnlyATrigger_rewritesTheTablesAlone) {
    Upload u;
    u.threeSlots();
    u.upload();
    ASSERT_EQ(u.status(), u.statusOf(2));
    Bytes dataBefore = u.memory(0, 2 * 13 * 175);
    const int erasesBefore = u.unit().commandCount('E');
    const std::size_t framesBefore = u.test.serial.written.size();

    u.form.TRG1[5].setText("3");
    u.upload();

    EXPECT_EQ(u.status(), u.statusOf(13));
    u.expectIdle();
    EXPECT_EQ(u.unit().commandCount('E'), erasesBefore + 1);
    EXPECT_EQ(u.memory(0, 2 * 13 * 175), dataBefore);
    EXPECT_EQ(u.memory(0x3FF100 + 5, 2), (Bytes{0, 3}));
    for (int i = 1; i <= 3; ++i)
        u.expectStored(i);
    // R of the table and of two blocks of each message, P, E, W, two tables, end frame, L: no wave frame.
    EXPECT_LE(u.test.serial.written.size() - framesBefore, 16u);
}

TEST(ConfigOnlyUpload, unitNotSeenToHoldTheFiles_getsAFullUploadThatStoresThem) {
    int framesOfAFullUpload = 0;
    {
        Upload u;
        u.threeSlots();
        u.upload();
        framesOfAFullUpload = u.unit().framesReceived();
    }
    struct Case {
        const char* what;
        UnitFaults faults;
        std::function<void(Upload&)> change;
    };
    // Message 1 has 1045 bytes: a pad byte, then its check word at word 523.
    const Case cases[] = {
        {"check word differs on the unit",
         {},
         [](Upload& u) { u.unit().setWord(523, static_cast<std::uint16_t>(u.unit().word(523) ^ 1)); }},
        {"file edited on disk to the same length",
         {},
         [](Upload& u) { writeFileBytes(u.paths[2], UploadFixture::waveBytes(2000, 7)); }},
        // The table read is the first frame of the second upload, message 1's first block the second.
        {"read of a message refused", UploadFixture::nakOn({framesOfAFullUpload + 2}), [](Upload&) {}},
    };
    for (const Case& c : cases) {
        Upload u(c.faults);
        u.threeSlots();
        u.upload();
        ASSERT_TRUE(u.form.MsgUnchanged) << c.what;
        c.change(u);
        u.upload();
        EXPECT_EQ(u.status(), u.statusOf(2)) << c.what;
        EXPECT_EQ(u.unit().commandCount('E'), 4) << c.what;
        for (int i = 1; i <= 3; ++i)
            u.expectStored(i);
    }
}

TEST(ConfigOnlyUpload, sizeOnTheUnitDiffers_makesItAFullUpload) {
    Upload u;
    u.threeSlots();
    u.upload();
    ASSERT_TRUE(u.form.MsgUnchanged);
    // The unit's table says message 3 starts one frame later.
    u.unit().setWord(0x3FF000 + 5, static_cast<std::uint16_t>(u.unit().word(0x3FF000 + 5) + 175));
    const int erasesBefore = u.unit().commandCount('E');
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
    EXPECT_EQ(u.unit().commandCount('E'), erasesBefore + 2);
    EXPECT_EQ(u.tableAddress(3), 9 * 175);
}

TEST(FullUpload, afterReplacingOneFile_sendsEverythingAgain) {
    Upload u;
    u.threeSlots();
    u.upload();
    u.paths[2] = u.wave("other.wav", 3001, 9);
    u.choose(2, u.paths[2]);
    EXPECT_FALSE(u.form.MsgUnchanged);
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
    u.expectIdle();
    for (int i = 1; i <= 3; ++i)
        u.expectStored(i);
    EXPECT_EQ(u.unit().commandCount('E'), 4);
}

TEST(UploadFaults, fiveNaksOnOneDataFrame_failThenTheNextUploadSucceeds) {
    // P, E, E, W, first data frame; the second data frame is refused five times.
    Upload u(UploadFixture::nakOn({6, 7, 8, 9, 10}));
    u.threeSlots();
    u.upload();
    EXPECT_EQ(u.status(), u.failedBecause(3, kLinkRefused));
    u.expectIdle();
    EXPECT_FALSE(u.form.MsgUnchanged);
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
    for (int i = 1; i <= 3; ++i)
        u.expectStored(i);
}

TEST(UploadFaults, fiveNaksOnATable_failWithoutWaitingForAReply) {
    Upload u;
    u.paths[1] = u.wave("a.wav", 300, 1);
    u.choose(1, u.paths[1]);
    // P, E, E, W, data frame, end frame, W, then the message table five times.
    u.replaceUnit(UploadFixture::nakOn({8, 9, 10, 11, 12}));
    const auto start = u.test.clock.steadyMs();
    u.upload();
    EXPECT_EQ(u.status(), u.failedBecause(3, kLinkRefused));
    u.expectIdle();
    EXPECT_LT(u.test.clock.steadyMs() - start, u.bench.link().settings.CommTimeOut);
    // The write sequence was closed after the refusals, so the unit takes the next upload.
    EXPECT_NE(u.unit().log().back().find("end frame"), std::string::npos) << u.unit().log().back();
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
}

TEST(UploadFaults, silenceInTheMiddleOfTheData_costsOneTimeOutWithTheWindowDisabledUntilTheEnd) {
    Upload u(UploadFixture::silentAfter(7));
    u.threeSlots();
    const auto start = u.test.clock.steadyMs();
    u.upload();
    EXPECT_EQ(u.status(), u.failedBecause(3, kLinkNoAnswer));
    u.expectIdle();
    EXPECT_EQ(u.test.clock.steadyMs() - start, u.bench.link().settings.CommTimeOut);
    EXPECT_EQ(u.unit().framesReceived(), 8);
    u.replaceUnit();
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
}

TEST(UploadFaults, timeOutOnTheReadBack_endsTheUploadAfterOneTimeOut) {
    Upload u;
    u.threeSlots();
    u.form.MsgUnchanged = true;
    u.test.serial.stallWrites = true;
    const auto start = u.test.clock.steadyMs();
    u.upload();
    // The read-back timed out and closed the port: "P" is neither written nor waited for.
    EXPECT_EQ(u.status(), u.failedBecause(3, kLinkNoAnswer));
    EXPECT_EQ(u.test.clock.steadyMs() - start, u.bench.link().settings.CommTimeOut);
    EXPECT_EQ(u.test.serial.written.size(), 1u);
    EXPECT_FALSE(u.enabledWhileRunning);
    u.expectIdle();
    u.test.serial.stallWrites = false;
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
}

TEST(UploadFaults, slotWhoseFileWasDeleted_isRefusedBeforeAnyByteReachesTheUnit) {
    Upload u;
    u.threeSlots();
    u.upload();
    ASSERT_EQ(u.status(), u.statusOf(2));
    const Bytes before = u.memory(0, 2 * 0x400000);
    const std::size_t frames = u.test.serial.written.size();
    u.form.MsgUnchanged = false;
    std::filesystem::remove(u.paths[3]);

    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(3));
    ASSERT_EQ(u.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(u.test.msgBox.shown[0].text, "Path of message file is incorrect!\n\n3: " + u.paths[3]);
    EXPECT_EQ(u.test.msgBox.shown[0].title, "KVT3310");
    EXPECT_GE(u.test.msgBox.beeps, 1);
    u.expectIdle();
    EXPECT_EQ(u.test.serial.written.size(), frames);
    EXPECT_EQ(u.test.serial.opens, 1);
    EXPECT_FALSE(u.form.MsgUnchanged);
    EXPECT_EQ(u.bench.image().MsgAddress[3], -1);
    // The unit keeps every message of the upload before.
    EXPECT_EQ(u.memory(0, 2 * 0x400000), before);

    u.paths[3] = u.wave("exit.wav", 1049, 3);
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
}

TEST(UploadFaults, fileReplacedByOneOfAnotherSize_isRefusedBeforeAnyByteReachesTheUnit) {
    Upload u;
    u.threeSlots();
    u.wave("fire.wav", 5000, 2);
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(3));
    ASSERT_EQ(u.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(u.test.msgBox.shown[0].text, "Path of message file is incorrect!\n\n2: " + u.paths[2]);
    EXPECT_TRUE(u.test.serial.written.empty());
    u.expectIdle();
}

TEST(UploadFaults, fileCutShort_isRefusedNamingItBeforeAnyByteReachesTheUnit) {
    // As in a set opened from a configuration file saved with such a file: the set's size is the file's own, so
    // only its header tells.
    Upload u;
    u.threeSlots();
    Bytes cut = waveFileBytes(24044, 8000, 2);
    cut.resize(1044);
    writeFileBytes(u.paths[2], cut);
    u.form.TMsgSize[2] = storedSize(1044);
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(3));
    ASSERT_EQ(u.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(u.test.msgBox.shown[0].text,
              "The WAVE file is cut short: its header announces 24000 bytes of sound, the file holds 1000:\n\n2: " +
                  u.paths[2]);
    EXPECT_TRUE(u.test.serial.written.empty());
    EXPECT_EQ(u.test.serial.opens, 0);
}

TEST(UploadFaults, portThatCannotBeOpened_failsAtOnceSayingWhy) {
    Upload u;
    u.threeSlots();
    u.test.serial.failOpen("busy");
    const auto start = u.test.clock.steadyMs();
    u.upload();
    EXPECT_EQ(u.status(), u.failedBecause(3, kLinkPortNotOpened) + " busy");
    u.expectIdle();
    EXPECT_TRUE(u.test.serial.written.empty());
    EXPECT_EQ(u.test.clock.steadyMs(), start);
    u.test.serial.failOpen("");
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
}

TEST(UploadFaults, refusedP_saysTheUnitRefusedInTheActiveLanguage) {
    Upload u;
    u.threeSlots();
    u.app.LngBase = 3000;
    ASSERT_TRUE(u.bench.language().OpenLng(""));
    u.replaceUnit(UploadFixture::nakOn({1, 2}));
    u.upload();
    EXPECT_EQ(u.status(), UploadFixture::trimmed(u.form.StatusText[11]) +
                              " Übertragung von Durchsagen und Konfiguration fehlgeschlagen! Das Gerät hat die Daten "
                              "abgelehnt!");
}

TEST(ConnectedUpload, userConnectedBeforehand_uploadsOverTheOpenPortAndLeavesItOpen) {
    Upload u;
    u.threeSlots();
    u.form.imgNotConnected.click();
    ASSERT_TRUE(u.test.serial.portOpen());
    u.upload();
    EXPECT_TRUE(u.test.msgBox.shown.empty());
    EXPECT_EQ(u.status(), u.statusOf(2));
    EXPECT_TRUE(u.test.serial.portOpen());
    EXPECT_EQ(u.test.serial.opens, 1);
    EXPECT_TRUE(u.form.imgConnected.visible());
    EXPECT_TRUE(u.bench.connection().Timer1().enabled());
    EXPECT_FALSE(u.form.ProgressBar1.visible());
    EXPECT_TRUE(u.mdi.enabled());
    for (int i = 1; i <= 3; ++i)
        u.expectStored(i);
    // The next upload takes the same connection again, for the tables alone.
    u.form.TRG1[5].setText("3");
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(13));
    EXPECT_TRUE(u.test.serial.portOpen());
    u.form.imgConnected.click();
    EXPECT_FALSE(u.test.serial.portOpen());
}

TEST(UploadProgress, runningUpload_disablesTheWindowShowsHourglassAndCountsBytes) {
    Upload u;
    u.paths[1] = u.wave("long.wav", 40000, 4);
    u.choose(1, u.paths[1]);
    bool sawHourglass = false;
    int maxValue = 0;
    std::string label;
    int waits = 0;
    u.test.events.onWait = [&] {
        if (u.mdi.enabled())
            u.enabledWhileRunning = true;
        sawHourglass |= u.test.screen.mousePointer() == IScreen::vbHourglass;
        maxValue = std::max(maxValue, u.form.ProgressBar1.value());
        if (!u.form.Lb_Percentage.caption().empty())
            label = u.form.Lb_Percentage.caption();
        // A clock tick every ten waits: a second passes.
        if (++waits % 10 == 0) {
            u.test.clock.set(u.test.clock.steadyMs() + 1000);
            u.bench.connection().Timer1_Timer();
        }
    };
    u.upload();
    EXPECT_EQ(u.status(), u.statusOf(2));
    EXPECT_TRUE(sawHourglass);
    EXPECT_EQ(u.form.ProgressBar1.max(), u.form.TFileLength);
    EXPECT_EQ(maxValue, u.form.TFileLength);
    EXPECT_NE(label.find("%    Remaining Time: "), std::string::npos) << label;
    u.expectIdle();
}

TEST(ProgressStep, exampleFigures_showPercentAndRemainingTime) {
    UploadFixture f;
    f.useTotal(1000000);
    f.bench.image().BytesSent = 450000;
    f.bench.upload().ClockSeconds = 59;
    f.bench.upload().ProgressStep();
    EXPECT_EQ(f.bench.upload().ClockSeconds, 60);
    EXPECT_EQ(f.form.Lb_Percentage.caption(), "45%    Remaining Time: 00:01:13");
}

TEST(ProgressStep, firstSecond_keepsThePreviousEstimate) {
    UploadFixture f;
    f.useTotal(1000000);
    f.bench.upload().RemainingSeconds = 3725;
    f.bench.image().BytesSent = 1;
    f.bench.upload().ClockSeconds = 1;
    f.bench.upload().ProgressStep();
    EXPECT_EQ(f.form.Lb_Percentage.caption(), "0%    Remaining Time: 01:02:05");
}

TEST(ProgressStep, sentBeyondTheTotal_isHeldToIt) {
    UploadFixture f;
    f.useTotal(1000);
    f.bench.image().BytesSent = 1400;
    f.bench.upload().ClockSeconds = 9;
    f.bench.upload().ProgressStep();
    EXPECT_EQ(f.bench.image().BytesSent, 1000);
    EXPECT_EQ(f.form.Lb_Percentage.caption(), "100%    Remaining Time: 00:00:00");
}
