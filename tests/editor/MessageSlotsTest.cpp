// Choosing, refusing, replacing and emptying message slots, and the step lists that follow them.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/EditorFixture.h"
#include "editor/MessageSlots.h"
#include "editor/StoredSize.h"
#include "editor/TriggerSequences.h"

namespace {

using List = std::vector<std::string>;

struct MessageSlotsTest : EditorFixture, ::testing::Test {
    std::string folder() const { return test.folder.slashed(); }
};

TEST_F(MessageSlotsTest, acceptedFile_showsItsValuesAndOpensTheNextSlot) {
    form.MsgUnchanged = true;
    choose(1, wave("bell.day.wav", 16044, 16000, 8000));

    EXPECT_EQ(form.WaveFile[1].text(), "bell");
    EXPECT_EQ(form.FilePath[1], folder() + "bell.day.wav");
    EXPECT_EQ(form.MsgTime[1].caption(), "1.00");
    EXPECT_EQ(form.MsgSample[1].caption(), "8.000");
    EXPECT_EQ(form.TMsgSize[1], 16100);
    EXPECT_EQ(form.MsgSize[1].caption(), "16");
    EXPECT_EQ(app.strWAVFilePath, folder());
    EXPECT_TRUE(form.MsgBt[1].enabled());
    EXPECT_TRUE(form.Bt_Browse[2].enabled());
    EXPECT_FALSE(form.Bt_Browse[3].enabled());
    EXPECT_EQ(form.TotalTime.caption(), "1.00");
    EXPECT_EQ(form.TotalSize.caption(), "16");
    EXPECT_EQ(form.TFileLength, 16100);
    EXPECT_FALSE(form.MsgUnchanged);
    EXPECT_TRUE(app.blnChanged);
    EXPECT_EQ(stepList(1), (List{" ", "1"}));
    EXPECT_EQ(stepList(48), (List{" ", "1"}));
    for (int t = 1; t <= Form1::kTriggers; ++t)
        EXPECT_EQ(form.TrgTime[t].caption(), "0.00") << t;
    EXPECT_TRUE(test.msgBox.shown.empty());
    EXPECT_EQ(test.msgBox.beeps, 0);

    ASSERT_EQ(test.fileDialog.requests.size(), 1u);
    const FileDialogRequest& request = test.fileDialog.requests[0];
    EXPECT_EQ(request.filter,
              "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|Batch Files (*.bat)|*.bat|Wave Files (*.wav)|*.wav");
    EXPECT_EQ(request.filterIndex, 4);
    EXPECT_EQ(request.fileName, "");
    EXPECT_FALSE(request.save);
}

TEST_F(MessageSlotsTest, rateAndDataSize_giveTimeAndKilohertz) {
    choose(1, wave("a.wav", 44100 + 44, 44100, 22050));
    EXPECT_EQ(form.MsgTime[1].caption(), "1.00");
    EXPECT_EQ(form.MsgSample[1].caption(), "22.050");
    choose(2, wave("b.wav", 3044, 3000, 24000));
    EXPECT_EQ(form.MsgTime[2].caption(), "0.06");  // 0.0625 s
    EXPECT_EQ(form.MsgSample[2].caption(), "24.000");
    EXPECT_EQ(form.TotalTime.caption(), "1.06");
}

TEST_F(MessageSlotsTest, rejectedFiles_beepShowTheirRuleAndLeaveTheSlot) {
    struct Case {
        WaveFiles::Format format;
        const char* text;
    };
    WaveFiles::Format stereo8;
    stereo8.channels = 2;
    stereo8.bits = 8;
    WaveFiles::Format slow;
    slow.rate = 7999;
    WaveFiles::Format fast;
    fast.rate = 24001;
    WaveFiles::Format eight;
    eight.bits = 8;
    std::vector<Case> cases = {{stereo8, "The file is not a mono file!"},
                               {slow, "Sample frequency is not in the range of 8...24 kHz!"},
                               {fast, "Sample frequency is not in the range of 8...24 kHz!"},
                               {eight, "Word length of wave file is not 16 bit!"}};
    std::string notWave = WaveFiles::bytes(stereo8);
    notWave.replace(8, 4, "AVI ");

    choose(1, wave("kept.wav"));
    app.blnChanged = false;
    std::string sub = test.folder.file("sub");
    std::filesystem::create_directory(sub);
    int n = 0;
    auto refuse = [&](const std::string& content, const char* text) {
        std::string path = sub + kSeparator + "bad" + std::to_string(++n) + ".wav";
        WaveFiles::write(path, content);
        int beeps = test.msgBox.beeps;
        test.msgBox.shown.clear();
        choose(1, path);
        EXPECT_EQ(test.msgBox.beeps, beeps + 1) << text;
        ASSERT_EQ(test.msgBox.shown.size(), 1u) << text;
        EXPECT_EQ(test.msgBox.shown[0].text, text);
        EXPECT_EQ(test.msgBox.shown[0].flags, IMessageBox::vbOKOnly);
        EXPECT_EQ(test.msgBox.shown[0].title, "KVT3310 editor");
        EXPECT_EQ(form.WaveFile[1].text(), "kept");
        EXPECT_EQ(form.FilePath[1], folder() + "kept.wav");
        EXPECT_EQ(form.TMsgSize[1], 16100);
        EXPECT_EQ(form.MsgTime[1].caption(), "1.00");
        EXPECT_EQ(app.strWAVFilePath, sub + kSeparator);  // the folder of the refused file is remembered
    };
    refuse(notWave, "The file is not a WAVE file!");
    for (const Case& c : cases)
        refuse(WaveFiles::bytes(c.format), c.text);
    EXPECT_FALSE(app.blnChanged);
    EXPECT_EQ(stepList(1), (List{" ", "1"}));
}

TEST_F(MessageSlotsTest, fileWithoutDataChunkOrUnreadable_droppedSilently) {
    std::string noData = WaveFiles::bytes({});
    noData.replace(36, 4, "junk");
    std::string path = test.folder.file("nodata.wav");
    WaveFiles::write(path, noData);
    choose(1, path);
    choose(1, test.folder.file("vanished.wav"));
    EXPECT_TRUE(test.msgBox.shown.empty());
    EXPECT_EQ(test.msgBox.beeps, 0);
    EXPECT_EQ(form.WaveFile[1].text(), "");
    EXPECT_EQ(form.FilePath[1], "");
    EXPECT_FALSE(form.Bt_Browse[2].enabled());
    EXPECT_TRUE(form.TRG1[1].list().empty());
}

TEST_F(MessageSlotsTest, capacityBoundary_lastFittingFileAcceptedNextRefusedAndEmptySlotRestored) {
    choose(1, wave("big.wav", 8199800));  // stored as 8,200,150
    ASSERT_EQ(form.TFileLength, 8200150);

    choose(2, wave("fits.wav", 179500));  // stored as 179,550
    EXPECT_EQ(form.TFileLength, 8379700);
    EXPECT_EQ(form.WaveFile[2].text(), "fits");
    EXPECT_TRUE(test.msgBox.shown.empty());

    form.WaveFile[2].setText("");
    form.MsgUnchanged = true;
    choose(2, wave("toobig.wav", 179850));  // stored as 179,900: 8,380,050 in all
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Message files exceed memory capacity of 8380 KB!");
    EXPECT_EQ(test.msgBox.beeps, 0);
    EXPECT_EQ(form.WaveFile[2].text(), "");
    EXPECT_EQ(form.FilePath[2], folder() + "fits.wav");  // as emptying the name left it
    EXPECT_EQ(form.MsgTime[2].caption(), "");
    EXPECT_EQ(form.MsgSize[2].caption(), "");
    EXPECT_EQ(form.TMsgSize[2], 0);
    EXPECT_FALSE(form.MsgBt[2].enabled());
    EXPECT_TRUE(form.Bt_Browse[2].enabled());
    EXPECT_FALSE(form.Bt_Browse[3].enabled());
    EXPECT_EQ(form.TFileLength, 8200150);
    EXPECT_EQ(form.TotalSize.caption(), "8200");
    EXPECT_TRUE(form.MsgUnchanged);
    EXPECT_EQ(stepList(5), (List{" ", "1"}));
}

TEST_F(MessageSlotsTest, capacityWithFilesShowingZeroKb_countsTheFramesTheyTakeToo) {
    choose(1, wave("big.wav", 8379300));   // stored as 8,379,350
    choose(2, wave("tick.wav", 100, 56));  // 350 bytes, shown as 0 kB and left out of the totals
    ASSERT_EQ(form.MsgSize[2].caption(), "0");
    ASSERT_EQ(form.TFileLength, 8379350);
    EXPECT_TRUE(test.msgBox.shown.empty());

    choose(3, wave("tock.wav", 100, 56));  // 8,380,050 bytes would be sent
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Message files exceed memory capacity of 8380 KB!");
    EXPECT_EQ(form.WaveFile[3].text(), "");
    EXPECT_EQ(form.TMsgSize[3], 0);
    EXPECT_FALSE(form.Bt_Browse[4].enabled());
}

TEST_F(MessageSlotsTest, capacityExceededOnReplace_filledSlotGetsItsFileBack) {
    choose(1, wave("big.wav", 8199800));
    choose(2, wave("small.wav", 44 + 8000, 8000, 8000));
    choose(3, wave("third.wav", 1044, 1000, 8000));
    std::string smallPath = form.FilePath[2];
    std::int32_t total = form.TFileLength;

    choose(2, wave("toobig.wav", 179850));
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(form.WaveFile[2].text(), "small");
    EXPECT_EQ(form.FilePath[2], smallPath);
    EXPECT_EQ(form.MsgTime[2].caption(), "0.50");
    EXPECT_EQ(form.TMsgSize[2], 8050);
    EXPECT_EQ(form.MsgSize[2].caption(), "8");
    EXPECT_EQ(form.MsgSample[2].caption(), "8.000");
    EXPECT_EQ(form.TFileLength, total);
    EXPECT_EQ(form.WaveFile[3].text(), "third");
    EXPECT_TRUE(form.Bt_Browse[4].enabled());
    EXPECT_EQ(stepList(1), (List{" ", "1", "2", "3"}));
}

TEST_F(MessageSlotsTest, newThirdSlot_enablesItsButtonsAndExtendsEveryStepList) {
    choose(1, wave("a.wav"));
    choose(2, wave("b.wav"));
    choose(3, wave("c.wav"));
    EXPECT_TRUE(form.MsgBt[3].enabled());
    EXPECT_TRUE(form.Bt_Browse[4].enabled());
    EXPECT_FALSE(form.Bt_Browse[5].enabled());
    for (int k = 1; k <= 48; ++k)
        EXPECT_EQ(stepList(k), (List{" ", "1", "2", "3"})) << k;
}

TEST_F(MessageSlotsTest, replacingAFilledSlot_keepsListsAndCountsTheNewSize) {
    choose(1, wave("a.wav", 16044, 16000));
    choose(2, wave("b.wav", 16044, 16000));
    form.TRG1[1].setText("2");
    form.TRG1[5].setText("1");
    editor.triggers().TRG1_Click(5);
    form.TRG1[6].setText("2");
    editor.triggers().TRG1_Click(6);
    EXPECT_EQ(form.TrgTime[1].caption(), "1.00");
    EXPECT_EQ(form.TrgTime[2].caption(), "2.00");

    choose(2, wave("longer.wav", 48044, 48000));
    EXPECT_EQ(form.WaveFile[2].text(), "longer");
    EXPECT_EQ(form.TMsgSize[2], 48300);
    EXPECT_EQ(form.TFileLength, 16100 + 48300);
    EXPECT_EQ(stepList(1), (List{" ", "1", "2"}));
    EXPECT_EQ(form.TrgTime[1].caption(), "3.00");
    EXPECT_EQ(form.TrgTime[2].caption(), "4.00");
    EXPECT_FALSE(form.Bt_Browse[4].enabled());
}

TEST_F(MessageSlotsTest, emptyingSlot2Of5_emptiesTheLaterSlotsAndShortensTheLists) {
    for (int i = 1; i <= 5; ++i)
        choose(i, wave("m" + std::to_string(i) + ".wav"));
    form.TRG1[1].setText("4");
    std::string path2 = form.FilePath[2];
    app.blnChanged = false;

    form.WaveFile[2].setText("");

    EXPECT_TRUE(app.blnChanged);
    EXPECT_EQ(form.WaveFile[1].text(), "m1");
    EXPECT_EQ(form.MsgTime[1].caption(), "1.00");
    EXPECT_EQ(form.FilePath[2], path2);  // slot 2's own path is left
    for (int i = 3; i <= 5; ++i) {
        EXPECT_EQ(form.WaveFile[i].text(), "") << i;
        EXPECT_EQ(form.FilePath[i], "") << i;
    }
    for (int i = 2; i <= 5; ++i) {
        EXPECT_EQ(form.MsgTime[i].caption(), "") << i;
        EXPECT_EQ(form.MsgSize[i].caption(), "") << i;
        EXPECT_EQ(form.MsgSample[i].caption(), "") << i;
        EXPECT_EQ(form.TMsgSize[i], 0) << i;
        EXPECT_FALSE(form.MsgBt[i].enabled()) << i;
    }
    EXPECT_TRUE(form.MsgBt[1].enabled());
    EXPECT_TRUE(form.Bt_Browse[2].enabled());
    for (int i = 3; i <= 6; ++i)
        EXPECT_FALSE(form.Bt_Browse[i].enabled()) << i;
    EXPECT_EQ(form.TFileLength, 16100);
    EXPECT_EQ(form.TotalTime.caption(), "1.00");
    EXPECT_EQ(stepList(1), (List{" ", "1"}));
    EXPECT_EQ(form.TRG1[1].text(), "4");  // a step naming a removed message keeps its text
}

TEST_F(MessageSlotsTest, nameWithoutDotOrStartingWithDot_leavesTheSlotUnchanged) {
    choose(1, wave("kept.wav"));
    app.blnChanged = false;
    choose(1, wave("nodot"));
    choose(1, wave(".hidden.wav"));
    EXPECT_EQ(form.WaveFile[1].text(), "kept");
    EXPECT_EQ(form.FilePath[1], folder() + "kept.wav");
    EXPECT_EQ(form.TMsgSize[1], 16100);
    choose(2, wave("alsonodot"));
    EXPECT_EQ(form.WaveFile[2].text(), "");
    EXPECT_EQ(form.FilePath[2], "");
    EXPECT_FALSE(form.Bt_Browse[3].enabled());
    EXPECT_EQ(stepList(1), (List{" ", "1"}));
    EXPECT_FALSE(app.blnChanged);
    EXPECT_TRUE(test.msgBox.shown.empty());
}

TEST_F(MessageSlotsTest, textFileWithoutDot_isToldItIsNoWaveFile) {
    choose(1, wave("kept.wav"));
    const std::string junk = test.folder.file("junkfile");
    ASSERT_TRUE(test.fs.writeFileAtomic(junk, "just some text, long enough to hold a header of 44 bytes\r\n"));
    choose(1, junk);
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "The file is not a WAVE file!");
    EXPECT_EQ(test.msgBox.beeps, 1);
    EXPECT_EQ(form.WaveFile[1].text(), "kept");
    EXPECT_EQ(form.FilePath[1], folder() + "kept.wav");
}

TEST_F(MessageSlotsTest, cancelledDialog_changesNothingNotEvenTheWaveFolder) {
    app.strWAVFilePath = "/earlier/";
    test.fileDialog.cancelNext();
    form.Bt_Browse[1].click();
    EXPECT_EQ(app.strWAVFilePath, "/earlier/");
    EXPECT_EQ(form.FilePath[1], "");
    EXPECT_FALSE(form.Bt_Browse[2].enabled());
    EXPECT_FALSE(app.blnChanged);
    ASSERT_EQ(test.fileDialog.requests.size(), 1u);
    EXPECT_EQ(test.fileDialog.requests[0].initDir, "/earlier/");
}

TEST_F(MessageSlotsTest, startingFolder_isTheSlotsFolder_alsoUnderATypedName) {
    std::string sub = test.folder.file("voices");
    std::filesystem::create_directory(sub);
    choose(1, wave(std::string("voices") + kSeparator + "hello.wav"));
    choose(2, wave("other.wav"));
    test.fileDialog.cancelNext();
    form.Bt_Browse[1].click();
    EXPECT_EQ(test.fileDialog.requests.back().initDir, sub + kSeparator);

    form.WaveFile[1].setText("voices");  // a name that is also a folder of the path
    test.fileDialog.cancelNext();
    form.Bt_Browse[1].click();
    EXPECT_EQ(test.fileDialog.requests.back().initDir, sub + kSeparator);
}

TEST_F(MessageSlotsTest, serialPortOpen_refusesBrowsingWithoutADialog) {
    test.serial.setPortOpen(true);
    form.Bt_Browse[1].click();
    EXPECT_EQ(test.msgBox.beeps, 1);
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "The unit cannot be operated while upload is in progress!");
    EXPECT_EQ(test.msgBox.shown[0].title, "KVT3310 editor");
    EXPECT_TRUE(test.fileDialog.requests.empty());
}

TEST_F(MessageSlotsTest, refreshMessage_rereadsTheFileShowingRejectionsButKeepingValues) {
    std::string path = wave("bell.wav", 16044, 16000);
    choose(1, path);
    WaveFiles::writeOfLength(path, 32044, 32000);
    editor.slots().RefreshMessage(1);
    EXPECT_EQ(form.MsgTime[1].caption(), "2.00");
    EXPECT_EQ(form.TMsgSize[1], 32200);
    EXPECT_EQ(form.MsgSize[1].caption(), "32");
    EXPECT_EQ(form.TFileLength, 32200);
    EXPECT_EQ(form.TotalTime.caption(), "2.00");

    WaveFiles::Format stereo;
    stereo.channels = 2;
    WaveFiles::write(path, WaveFiles::bytes(stereo));
    editor.slots().RefreshMessage(1);
    EXPECT_EQ(test.msgBox.beeps, 1);
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "The file is not a mono file!");
    EXPECT_EQ(form.MsgTime[1].caption(), "2.00");

    std::filesystem::remove(path);
    editor.slots().RefreshMessage(1);
    editor.slots().RefreshMessage(2);  // an empty slot
    EXPECT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(form.TMsgSize[1], 32200);
}

TEST_F(MessageSlotsTest, capacityNotAppliedOnRefresh) {
    std::string path = wave("grows.wav", 16044, 16000);
    choose(1, path);
    WaveFiles::writeOfLength(path, 8400000, 16000);
    editor.slots().RefreshMessage(1);
    EXPECT_EQ(form.TMsgSize[1], storedSize(8400000));
    EXPECT_TRUE(test.msgBox.shown.empty());
}

}  // namespace
