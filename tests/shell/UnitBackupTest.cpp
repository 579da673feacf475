// A unit read back into a folder: the files and the set written, the set opening to the editor state it was
// uploaded from and cloning the unit, and the window's command.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/ConfigFile.h"
#include "editor/FormTexts.h"
#include "shell/Application.h"
#include "shell/UnitBackup.h"
#include "support/TestFiles.h"
#include "unitlink/UploadFixture.h"

namespace {

using Bytes = UploadFixture::Bytes;

std::vector<std::string> listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Backup : UploadFixture {
    std::string paths[13];
    TempFolder target;
    explicit Backup(UnitFaults faults = {}) : UploadFixture(std::move(faults)) {}

    /// The user picks message `m` from step box `j`'s list.
    void pick(int j, int m) {
        ComboBox& list = form.TRG1[j];
        list.dropDown();
        for (int e = 0; e < list.listCount(); ++e)
            if (list.list()[static_cast<std::size_t>(e)] == std::to_string(m))
                list.pick(e);
        ASSERT_EQ(list.text(), std::to_string(m));
    }

    /// An odd-length file at 8 kHz, one at 24 kHz, one more at 8 kHz, with slot 2 left empty between them as a
    /// configuration file can hold it; three triggers.
    void uploadSet() {
        paths[1] = wave("gong.wav", 1045, 1);
        paths[2] = wave("skip.wav", 700, 2);
        paths[3] = test.folder.file("fire.wav");
        writeFileBytes(paths[3], waveFileBytes(2400, 24000, 3));
        paths[4] = wave("exit.wav", 900, 4);
        for (int i = 1; i <= 4; ++i)
            choose(i, paths[i]);
        pick(1, 3);
        pick(2, 1);
        form.Check1[1].setValue(1);
        form.Check1[6].setValue(1);
        pick(5, 4);
        form.Check1[6 + 4].setValue(1);
        pick(45, 1);
        form.WaveFile[2].Change = nullptr;
        form.WaveFile[2].setText("");
        upload();
        ASSERT_EQ(unit().commandCount('L'), 1);
    }
};

TEST(UnitBackupTest, backup_writesEachFileAndASetThatOpensToTheSameEditorStateAndClonesTheUnit) {
    Backup b;
    b.uploadSet();
    const MessageSet uploaded = b.form.messageSet();
    const UnitBackup::Result result = b.bench.backup().run(b.target.path());
    ASSERT_TRUE(result.complete());
    EXPECT_EQ(listing(b.target.path()),
              (std::vector<std::string>{"MessageSetup.cfg", "message01.wav", "message03.wav", "message04.wav"}));
    for (int i : {1, 3, 4})
        EXPECT_EQ(readFileBytes(b.target.file(UnitBackup::waveName(i))), UploadFixture::fileBytes(b.paths[i])) << i;

    const Bytes firstUnit = b.unit().memory();
    b.replaceUnit();
    ASSERT_TRUE(b.editor.config().OpenConfig(result.config));
    const MessageSet opened = b.form.messageSet();
    EXPECT_EQ(opened.WaveFile[2], "");
    for (int i : {1, 3, 4}) {
        EXPECT_EQ(opened.FilePath[i], b.target.file(UnitBackup::waveName(i)));
        EXPECT_EQ(opened.MsgTime[i], uploaded.MsgTime[i]) << i;
        EXPECT_EQ(opened.MsgSample[i], uploaded.MsgSample[i]) << i;
        EXPECT_EQ(opened.TMsgSize[i], uploaded.TMsgSize[i]) << i;
    }
    EXPECT_EQ(opened.TRG1, uploaded.TRG1);
    EXPECT_EQ(opened.Check1, uploaded.Check1);
    EXPECT_EQ(opened.TrgTime, uploaded.TrgTime);
    // The totals are not compared: the uploaded editor still counts the file slot 2 had before its name was
    // emptied behind the editor's back.
    // Saved again from the editor it opened in, the set is the same file byte for byte.
    ASSERT_TRUE(b.editor.config().SaveConfig(b.test.folder.file("again.cfg")));
    EXPECT_EQ(readFileBytes(b.test.folder.file("again.cfg")), readFileBytes(result.config));
    b.upload();
    EXPECT_EQ(b.unit().memory(), firstUnit);
}

struct Window : ::testing::Test {
    TestPlatform t;
    Application app{t.platform};
    std::unique_ptr<EmulatorPeer> peer;
    TempFolder target;

    void SetUp() override {
        app.StartUp();
        app.showEditor();
        peer = std::make_unique<EmulatorPeer>(t.serial);
        writeFileBytes(t.folder.file("m.wav"), waveFileBytes(3000, 8000, 1));
        t.fileDialog.chooseNext(t.folder.file("m.wav"));
        app.form().Bt_Browse[1].click();
        app.form().Bt_SendMessage.click();
        app.app().blnChanged = false;
    }
    void readFromUnit() { app.mdi().Read_from_unit.click(); }
};

TEST_F(Window, readFromUnit_asksForAFolderWritesTheSetAndOpensItForAConfigurationOnlySend) {
    t.fileDialog.chooseNext(target.path());
    readFromUnit();
    ASSERT_EQ(t.fileDialog.requests.size(), 2u);
    EXPECT_TRUE(t.fileDialog.requests[1].folder);
    EXPECT_EQ(t.fileDialog.requests[1].title, app.form().ReadBackText[kReadBackFolder]);
    EXPECT_EQ(app.form().sbrStatus.panelText(1), "Status: The unit was read back: 1 messages.");
    EXPECT_EQ(app.mdi().caption(), app.app().strBaseCaption + "MessageSetup.cfg");
    EXPECT_EQ(app.form().FilePath[1], target.file("message01.wav"));
    EXPECT_TRUE(t.msgBox.shown.empty());

    const int erases = peer->unit.commandCount('E');
    app.form().Bt_SendMessage.click();
    EXPECT_EQ(app.form().sbrStatus.panelText(1), "Status: " + app.form().StatusText[kStatusConfigDone]);
    EXPECT_EQ(peer->unit.commandCount('E'), erases + 1);
}

TEST_F(Window, folderHoldingAnEarlierBackup_asksOnceAndNoReadsNothing) {
    writeFileBytes(target.file("message01.wav"), {1, 2, 3});
    writeFileBytes(target.file("MessageSetup.cfg"), {4});
    t.fileDialog.chooseNext(target.path());
    t.msgBox.answerNext(IMessageBox::vbNo);
    const int reads = peer->unit.commandCount('R');
    readFromUnit();
    ASSERT_EQ(t.msgBox.shown.size(), 1u);
    EXPECT_EQ(t.msgBox.shown[0].text,
              "These files of an earlier read are in the folder already: message01.wav, "
              "MessageSetup.cfg. Do you want to replace them?");
    EXPECT_EQ(peer->unit.commandCount('R'), reads);
    EXPECT_EQ(readFileBytes(target.file("message01.wav")), (Bytes{1, 2, 3}));
}

TEST_F(Window, closeWhileReading_asksItsOwnQuestionThenStopsWritesNothingAndCloses) {
    bool closed = false;
    app.mdi().Unload = [&] { closed = true; };
    t.events.onWait = [&] {
        if (!app.bench().readingBack() || !t.msgBox.shown.empty() || peer->unit.commandCount('R') < 6)
            return;
        t.msgBox.answerNext(IMessageBox::vbYes);
        EXPECT_FALSE(app.mdi().requestClose());
    };
    t.fileDialog.chooseNext(target.path());
    readFromUnit();
    ASSERT_FALSE(t.msgBox.shown.empty());
    EXPECT_EQ(t.msgBox.shown[0].text, app.form().ReadBackText[kReadBackStopQuestion]);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(listing(target.path()).empty());
}

}  // namespace
