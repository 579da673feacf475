// Start-up (folders, the running copy, the language decision) and the close request.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/Playback.h"
#include "editor/WaveFiles.h"
#include "settings/CodePageCodec.h"
#include "settings/IniProcedures.h"
#include "shell/Application.h"
#include "shell/InstanceMarker.h"
#include "shell/LanguageApplier.h"
#include "support/EmulatorPeer.h"
#include "support/TestPlatform.h"

namespace {

struct App : ::testing::Test {
    TestPlatform test;
    Application application{test.platform};
    std::string folder() const { return test.folder.slashed(); }
    void settings(const std::string& text) { ASSERT_TRUE(test.fs.writeFileAtomic(folder() + "KVT3310.INI", text)); }
};

TEST_F(App, firstStartInEmptyFolder_foldersAreProgramFolderAndEnglish) {
    EXPECT_TRUE(application.StartUp());
    AppState& a = application.app();
    for (const std::string* f : {&a.strAPPFilePath, &a.strLNGFilePath, &a.stroLNGFilePath, &a.strMSGFilePath,
                                 &a.strWAVFilePath, &a.strTMPFilePath})
        EXPECT_EQ(*f, folder());
    EXPECT_FALSE(a.LngExternal);
    EXPECT_EQ(a.LngBase, 0);
    EXPECT_TRUE(application.splash().visible());
    EXPECT_FALSE(test.fs.exists(folder() + InstanceMarker::kFileName));
    ASSERT_EQ(test.windows.searches.size(), 1u);
    EXPECT_EQ(test.windows.searches[0], "ThunderRT6MDIForm|");
    EXPECT_EQ(test.windows.publishedClass, "ThunderRT6MDIForm");
}

TEST_F(App, startUp_keepsAFolderThatEndsInASeparator) {
    const std::string sets = std::string("data") + kSeparator + "sets" + kSeparator;
    application.app().strMSGFilePath = sets;
    application.app().strWAVFilePath = std::string("data") + kSeparator + "wav";
    application.StartUp();
    EXPECT_EQ(application.app().strMSGFilePath, sets);
    EXPECT_EQ(application.app().strWAVFilePath, folder());
}

TEST_F(App, languageDecision_builtInNamesExactly_othersAreOwnFiles) {
    settings("[File paths]\r\nLanguageFile=it.lng\r\n");
    application.StartUp();
    EXPECT_FALSE(application.app().LngExternal);
    EXPECT_EQ(application.app().LngBase, 5000);

    Application second{test.platform};
    settings("[File Paths]\r\nLanguageFile=IT.LNG\r\n");
    second.StartUp();
    EXPECT_TRUE(second.app().LngExternal);
    EXPECT_EQ(second.app().LngBase, 0);
}

TEST_F(App, runningCopyFoundByMarkerCaption_isShownAndNoWindowOpens) {
    ASSERT_TRUE(test.fs.writeFileAtomic(folder() + "~KVT3310Temp", "KVT 3310 set up: hall.cfg\r\nignored\r\n"));
    test.windows.windows["ThunderRT6MDIForm|KVT 3310 set up: hall.cfg"] = 77;
    EXPECT_FALSE(application.StartUp());
    ASSERT_EQ(test.windows.shown.size(), 1u);
    EXPECT_EQ(test.windows.shown[0], std::make_pair(std::intptr_t{77}, 1));
    EXPECT_FALSE(application.splash().visible());
    EXPECT_FALSE(application.editorShown());
    EXPECT_EQ(application.app().strRunningCaption, "KVT 3310 set up: hall.cfg");
}

TEST_F(App, splashHandsOverToTheEditorAfterTwoSeconds) {
    int shown = 0;
    application.mainWindowShown.connect([&] { ++shown; });
    application.StartUp();
    test.events.advance(1999);
    EXPECT_FALSE(application.editorShown());
    test.events.advance(1);
    EXPECT_TRUE(application.editorShown());
    EXPECT_FALSE(application.splash().visible());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(application.form().sbrStatus.panelText(1), "Status:  ");
    EXPECT_EQ(test.player.deviceType, "WaveAudio");
}

TEST_F(App, keyDuringSplash_opensTheEditorAtOnce) {
    application.StartUp();
    application.splash().Form_KeyPress();
    EXPECT_TRUE(application.editorShown());
    test.events.advance(5000);
    EXPECT_TRUE(application.editorShown());
}

struct Closing : App {
    void SetUp() override {
        application.StartUp();
        application.showEditor();
        InstanceMarker(test.platform, application.app(), application.mdi()).WriteTempFile();
    }
    bool markerExists() { return test.fs.exists(folder() + "~KVT3310Temp"); }
    bool settingsExist() { return test.fs.exists(folder() + "KVT3310.INI"); }
};

TEST_F(Closing, withoutChanges_closesAndKeepsMarker) {
    EXPECT_TRUE(application.mdi().requestClose());
    EXPECT_TRUE(settingsExist());
    EXPECT_TRUE(markerExists());
    EXPECT_TRUE(test.msgBox.shown.empty());
}

TEST_F(Closing, changesAnsweredNo_deletesMarker) {
    application.app().blnChanged = true;
    test.msgBox.answerNext(IMessageBox::vbNo);
    EXPECT_TRUE(application.mdi().requestClose());
    EXPECT_FALSE(markerExists());
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Do you want to save the changes?");
    EXPECT_EQ(test.msgBox.shown[0].flags, IMessageBox::vbYesNoCancel | IMessageBox::vbQuestion);
}

TEST_F(Closing, changesAnsweredCancel_keepsRunningButSettingsAreWritten) {
    application.app().blnChanged = true;
    test.msgBox.answerNext(IMessageBox::vbCancel);
    EXPECT_FALSE(application.mdi().requestClose());
    EXPECT_TRUE(settingsExist());
    EXPECT_TRUE(markerExists());
}

TEST_F(Closing, changesAnsweredYes_runsSaveAsAndStaysWhenItDidNotSave) {
    application.app().blnChanged = true;
    int saves = 0;
    bool saved = false;
    application.SaveAsCommand = [&] {
        ++saves;
        return saved;
    };
    test.msgBox.answerNext(IMessageBox::vbYes);
    EXPECT_FALSE(application.mdi().requestClose());
    saved = true;
    test.msgBox.answerNext(IMessageBox::vbYes);
    EXPECT_TRUE(application.mdi().requestClose());
    EXPECT_EQ(saves, 2);
    EXPECT_TRUE(markerExists());
}

TEST_F(Closing, withTheAboutWindowOpen_closesItToo) {
    application.mdi().About_Tavro_message_manager.click();
    ASSERT_TRUE(application.splash().visible());
    EXPECT_EQ(application.splash().Caption, "About Tavro message manager");
    EXPECT_TRUE(application.mdi().requestClose());
    EXPECT_FALSE(application.splash().visible());
}

TEST_F(Closing, cancelled_leavesTheAboutWindowOpen) {
    application.mdi().About_Tavro_message_manager.click();
    application.app().blnChanged = true;
    test.msgBox.answerNext(IMessageBox::vbCancel);
    EXPECT_FALSE(application.mdi().requestClose());
    EXPECT_TRUE(application.splash().visible());
}

TEST_F(Closing, whileASequencePlays_stopsTheSoundAndTheSequence) {
    Form1& form = application.form();
    for (int i = 1; i <= 2; ++i) {
        const std::string wave = folder() + "m" + std::to_string(i) + ".wav";
        WaveFiles::writeOfLength(wave, 16044, 16000, 8000);
        test.fileDialog.chooseNext(wave);
        form.Bt_Browse[i].click();
    }
    form.TRG1[1].setText("1");
    form.TRG1[2].setText("2");
    application.app().blnChanged = false;
    bool closed = false;
    int waits = 0;
    test.events.onWait = [&] {
        // The window closes while the first message plays, inside the sequence's wait; should the sequence
        // wait on regardless, the files end so that the test ends.
        if (++waits == 1)
            closed = application.mdi().requestClose();
        else
            test.player.finish();
        test.events.post([] {});
    };
    application.editor().playback().TrgBt_Click(1);
    EXPECT_TRUE(closed);
    EXPECT_EQ(waits, 1);
    EXPECT_FALSE(test.player.playing());
    EXPECT_FALSE(form.SeqPlaying);
    EXPECT_EQ(test.player.commands.back(), "Close " + folder() + "m1.wav");
    for (const std::string& c : test.player.commands)
        EXPECT_NE(c, "Play " + folder() + "m2.wav");
}

TEST_F(Closing, duringAnUpload_asksToStopIt_yesStopsAfterTheFrameUnderWayThenCloses) {
    struct Case {
        const char* what;
        int answer;  ///< to the stop question; 0: a stop from outside, no question
        bool stopped;
    };
    for (const Case& c :
         {Case{"No", IMessageBox::vbNo, false}, Case{"Yes", IMessageBox::vbYes, true}, Case{"from outside", 0, true}}) {
        TestPlatform t;
        Application app{t.platform};
        app.StartUp();
        app.showEditor();
        EmulatorPeer peer(t.serial);
        WaveFiles::writeOfLength(t.folder.file("m.wav"), 20044, 20000, 8000);
        t.fileDialog.chooseNext(t.folder.file("m.wav"));
        app.form().Bt_Browse[1].click();
        app.app().blnChanged = false;
        bool closed = false;
        int dataFramesAtStop = -1;
        app.mdi().Unload = [&] { closed = true; };
        // The close comes while the fifth data frame is being answered.
        t.events.onWait = [&] {
            if (dataFramesAtStop >= 0 || peer.unit.framesReceived() < 9)
                return;
            dataFramesAtStop = peer.unit.framesReceived();
            if (c.answer == 0) {
                EXPECT_TRUE(app.stopUploadAndClose());
            } else {
                t.msgBox.answerNext(c.answer);
                EXPECT_FALSE(app.mdi().requestClose());
            }
        };
        app.form().Bt_SendMessage.click();
        const std::string status = app.form().sbrStatus.panelText(1);
        // Asked, the question and, once stopped, what the unit holds; from outside, nothing.
        EXPECT_EQ(t.msgBox.shown.size(), c.answer == IMessageBox::vbYes ? 2u : c.answer == 0 ? 0u : 1u) << c.what;
        EXPECT_EQ(closed, c.stopped) << c.what;
        EXPECT_FALSE(t.serial.portOpen()) << c.what;
        EXPECT_TRUE(app.mdi().enabled()) << c.what;
        if (c.stopped) {
            // Nothing goes out after the frame that was being answered: no end frame, no tables, no "L".
            EXPECT_EQ(peer.unit.framesReceived(), dataFramesAtStop) << c.what;
            EXPECT_EQ(status,
                      "Status: Message and configuration upload unsuccessfully! The upload was stopped: "
                      "the unit holds no complete set of messages until the next upload.");
        } else {
            EXPECT_EQ(status, "Status: Message and configuration upload successfully!") << c.what;
            EXPECT_EQ(peer.unit.commandCount('L'), 1) << c.what;
        }
    }
}

}  // namespace

namespace {

TEST_F(App, publishedCaption_matchesTheMarkerEvenWithLettersTheCodePageLacks) {
    application.StartUp();
    application.showEditor();
    application.mdi().setCaption("\xCE\x9A\xCE\x92\xCE\xA4 3310: hall.cfg");  // Greek letters
    InstanceMarker(test.platform, application.app(), application.mdi()).WriteTempFile();
    AppState other;
    other.strTMPFilePath = folder();
    InstanceMarker(test.platform, other, application.mdi()).ReadTempFile();
    ASSERT_TRUE(test.windows.publishedCaption);
    EXPECT_EQ(test.windows.publishedCaption(), other.strRunningCaption);
}

}  // namespace

// The code page of the files is a property of the installation: fixed at the first start and kept in the
// settings, so that a later change of language reads and writes files as before.
TEST(AppCodePage, firstStart_fixesTheCodePage_andAnUnknownValueIsToldOnce) {
    struct Case {
        const char* settings;
        std::optional<int> system;
        int used;
        const char* kept;  ///< the settings' value afterwards
        const char* told;  ///< the value named in the message, if any
    };
    const Case cases[] = {
        {"LanguageFile=el.lng\r\n", std::nullopt, 1253, "1253", nullptr},
        {"LanguageFile=el.lng\r\nCodePage=1250\r\n", std::nullopt, 1250, "1250", nullptr},
        {"LanguageFile=de.lng\r\nCodePage=65001\r\n", std::nullopt, 1252, "1252", "65001"},
        {"LanguageFile=el.lng\r\nCodePage=125O\r\n", 1250, 1250, "1250", "125O"},
        {"LanguageFile=el.lng\r\n", 1250, 1250, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        TestPlatform test;
        const std::string ini = test.folder.file("KVT3310.INI");
        ASSERT_TRUE(test.fs.writeFileAtomic(ini, std::string("[File paths]\r\n") + c.settings));
        CodePageCodec codec;
        codec.choose(test.fs, c.system);
        Platform platform = test.platformWith(test.fs, codec);
        {
            Application application(platform);
            ASSERT_TRUE(application.StartUp());
            application.showEditor();
            application.app().LngBase = 3000;
            ASSERT_TRUE(application.bench().language().OpenLng("de.lng"));
            EXPECT_EQ(codec.codePage(), c.used) << "after a change of language too";
            const auto told = std::find_if(test.msgBox.shown.begin(), test.msgBox.shown.end(), [](const auto& box) {
                return box.text.find("KVT3310.INI") != std::string::npos;
            });
            if (c.told) {
                ASSERT_NE(told, test.msgBox.shown.end());
                EXPECT_NE(told->text.find(c.told), std::string::npos) << told->text;
                EXPECT_NE(told->text.find(std::to_string(c.used)), std::string::npos) << told->text;
            } else {
                EXPECT_EQ(told, test.msgBox.shown.end());
            }
        }
        IniProcedures settings(test.fs, codec);
        EXPECT_EQ(settings.ReadIni("File paths", "CodePage", ini).value_or(""), c.kept ? c.kept : "");
    }
}
