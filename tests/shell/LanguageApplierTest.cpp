// Applying a language (OpenLng): from the catalogue or a language file, character sets, failures that change nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "editor/Editor.h"
#include "editor/FormTexts.h"
#include "settings/AppState.h"
#include "shell/InstanceMarker.h"
#include "shell/LanguageApplier.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/TestPlatform.h"

namespace {

struct Editor : ::testing::Test {
    TestPlatform test;
    AppState app;
    MDIKVT3310 mdi;
    ::Editor editor{test.platform, app};
    Form1& form = editor.form();
    Workbench bench{test.platform, app, mdi, form};

    Editor() {
        for (std::string* f : {&app.strAPPFilePath, &app.strLNGFilePath, &app.stroLNGFilePath, &app.strMSGFilePath,
                               &app.strWAVFilePath, &app.strTMPFilePath})
            *f = test.folder.slashed();
        form.Form_Load();
    }
    bool builtIn(std::int16_t base) {
        app.LngExternal = false;
        app.LngBase = base;
        return bench.language().OpenLng("ignored.lng");
    }
    bool fromFile(const std::string& path) {
        app.LngExternal = true;
        return bench.language().OpenLng(path);
    }
    /// A language file of `count` lines: line n reads "Ln=text n", with the given lines replaced.
    std::string writeFile(const std::string& name, int count, const std::map<int, std::string>& lines = {}) {
        std::string content;
        for (int n = 1; n <= count; ++n) {
            auto it = lines.find(n);
            content +=
                (it != lines.end() ? it->second : "L" + std::to_string(n) + "=text " + std::to_string(n)) + "\r\n";
        }
        std::string path = test.folder.file(name);
        EXPECT_TRUE(test.fs.writeFileAtomic(path, content));
        return path;
    }
    std::string marker() { return test.fs.readFile(test.folder.file(InstanceMarker::kFileName)).value_or("<none>"); }
    /// Every control whose font takes the language's character set.
    std::vector<const Control*> fontControls() {
        std::vector<const Control*> controls = {&form.Frame1[0],
                                                &form.Frame1[1],
                                                &form.Lb_Message_Play,
                                                &form.Lb_Message_File,
                                                &form.Lb_Message_Time[0],
                                                &form.Lb_Message_Time[1],
                                                &form.Lb_Message_Size[0],
                                                &form.Lb_Message_Size[1],
                                                &form.Lb_Message_Sample[0],
                                                &form.Lb_Message_Sample[1],
                                                &form.Lb_Trigger_Play,
                                                &form.Lb_Trigger_Ms,
                                                &form.Lb_Trigger_Time[0],
                                                &form.Lb_Trigger_Time[1],
                                                &form.Lb_Trigger_Zones[0],
                                                &form.Lb_Total,
                                                &form.Bt_SendMessage,
                                                &form.sbrStatus};
        for (int i = 1; i <= Form1::kSlots; ++i)
            controls.push_back(&form.Bt_Browse[i]);
        return controls;
    }
};

TEST_F(Editor, english_givesCaptionPanelsTextsAndMarker) {
    ASSERT_TRUE(builtIn(0));
    EXPECT_EQ(mdi.caption(), "KVT 3310 Tavro message manager set up: ");
    EXPECT_EQ(app.strBaseCaption, "KVT 3310 Tavro message manager set up: ");
    EXPECT_EQ(form.sbrStatus.panelText(1), "STATUS: ");
    EXPECT_EQ(form.sbrStatus.panelText(2), "RS232 PORT: ");
    EXPECT_EQ(form.StatusText[11], "STATUS:");
    EXPECT_EQ(form.StatusText[15], "%    Remaining Time:");
    EXPECT_EQ(form.MsgText[0], "Message files exceed memory capacity of 8380 KB!");
    EXPECT_EQ(form.MsgText[11], "Path of message file is incorrect!");
    EXPECT_EQ(form.MDI_MsgInfo[0].caption(), "Do you want to save the changes?");
    EXPECT_EQ(form.MDI_MsgInfo[1].caption(), "Com port not connected!");
    EXPECT_EQ(mdi.File.caption(), " File");
    EXPECT_EQ(mdi.Language.caption(), "Language");
    EXPECT_EQ(mdi.About_Tavro_message_manager.caption(), "About Tavro Message Manager");
    EXPECT_EQ(form.Bt_Browse[12].caption(), "Browse");
    EXPECT_EQ(form.Lb_Message_Sample[1].caption(), "[Khz]");
    EXPECT_EQ(marker(), "KVT 3310 Tavro message manager set up: \r\n");
    EXPECT_TRUE(test.msgBox.shown.empty());
}

TEST_F(Editor, german_reachesMenusEditorAndTextArrays) {
    ASSERT_TRUE(builtIn(3000));
    EXPECT_EQ(mdi.caption(), "KVT 3310 Tavro Durchsagen-Manager Einrichtung: ");
    EXPECT_EQ(mdi.Open.caption(), "Öffnen");
    EXPECT_EQ(mdi.other.caption(), "andere");
    EXPECT_EQ(form.Lb_Message_Size[0].caption(), "Größe");
    EXPECT_EQ(form.Bt_Browse[7].caption(), "Durchsuchen");
    EXPECT_EQ(form.MsgText[9], "Sprachdatei nicht gefunden!");
    EXPECT_EQ(form.MDI_MsgInfo[0].caption(), "Möchten Sie die Änderungen speichern?");
    EXPECT_EQ(form.sbrStatus.panelText(2), "RS232-PORT: ");
    EXPECT_EQ(marker(), test.codec.fromUtf8(mdi.caption()) + "\r\n");
}

TEST_F(Editor, linkTexts_followTheBuiltInLanguage_andAreEnglishUnderALanguageFile) {
    ASSERT_TRUE(builtIn(3000));
    EXPECT_EQ(form.LinkText[kLinkNoAnswer], "Das Gerät antwortet nicht!");
    EXPECT_EQ(form.LinkText[kLinkReadDone], "Lesen der Daten erfolgreich!");
    EXPECT_EQ(form.PortLostText, "Die serielle Schnittstelle des PCs ist weggefallen (Adapter abgezogen?):");
    ASSERT_TRUE(builtIn(10000));
    EXPECT_EQ(form.LinkText[kLinkRefused], "Η μονάδα απέρριψε τα δεδομένα!");
    // The trace item and the message boxes' buttons too.
    EXPECT_EQ(mdi.Trace.caption(), "Καταγραφή πρωτοκόλλου");
    EXPECT_EQ(test.msgBox.buttonTexts.yes, "Ναι");
    EXPECT_EQ(test.msgBox.buttonTexts.no, "Όχι");
    EXPECT_EQ(test.msgBox.buttonTexts.cancel, "Άκυρο");
    EXPECT_EQ(test.msgBox.buttonTexts.ok, "OK");
    ASSERT_TRUE(fromFile(writeFile("own.lng", 82)));
    EXPECT_EQ(form.MsgText[11], "text 82");
    EXPECT_EQ(form.LinkText[kLinkPortNotOpened], "The port could not be opened:");
    EXPECT_EQ(form.LinkText[kLinkMalformed], "The reply of the unit is not valid!");
    EXPECT_EQ(form.PortLostText, "The PC's serial port was lost (adapter unplugged?):");
    EXPECT_EQ(mdi.Trace.caption(), "Protocol trace");
    EXPECT_EQ(test.msgBox.buttonTexts.no, "No");
}

TEST_F(Editor, greek_gives161OnEveryFont_anotherLanguageGivesZeroAgain) {
    ASSERT_TRUE(builtIn(10000));
    for (const Control* control : fontControls())
        EXPECT_EQ(control->charset(), 161);
    EXPECT_EQ(form.Frame1[0].caption(), "Μήνυμα");
    // Controls that get no language text keep their set.
    EXPECT_EQ(form.Lb_Msg[1].charset(), 0);
    EXPECT_EQ(form.TotalTime.charset(), 0);
    for (int i = 7; i <= 10; ++i)
        EXPECT_EQ(mdi.LngSel[i].caption(), std::string(std::array{"cs", "fi", "no", "el"}[i - 7]));

    ASSERT_TRUE(builtIn(9000));
    for (const Control* control : fontControls())
        EXPECT_EQ(control->charset(), 0);

    ASSERT_TRUE(builtIn(10000));
    ASSERT_TRUE(fromFile(writeFile("own.lng", 82)));
    for (const Control* control : fontControls())
        EXPECT_EQ(control->charset(), 0);
}

TEST_F(Editor, file82Lines_appliesLines11To82ByPosition) {
    ASSERT_TRUE(fromFile(writeFile("own.lng", 82,
                                   {{11, "Caption = My set-up:  "},
                                    {23, "zh=hidden one"},
                                    {24, "zh=hidden two"},
                                    {25, "English = Anglais"},
                                    {32, "other==own"},
                                    {54, "no equals sign here"},
                                    {66, "Status=ST:"},
                                    {80, "Lng=Sprache fehlt"}})));
    EXPECT_EQ(mdi.caption(), "My set-up: ");
    EXPECT_EQ(mdi.LngSel[0].caption(), "Anglais");
    EXPECT_EQ(mdi.LngSel[1].caption(), "text 26");
    EXPECT_EQ(mdi.LngSel[6].caption(), "text 31");
    EXPECT_EQ(mdi.LngSel[7].caption(), "cs");
    EXPECT_EQ(mdi.other.caption(), "=own");
    EXPECT_EQ(mdi.File.caption(), "text 12");
    EXPECT_EQ(mdi.Language.caption(), "text 22");
    EXPECT_EQ(mdi.Help.caption(), "text 33");
    EXPECT_EQ(form.Frame1[0].caption(), "text 37");
    EXPECT_EQ(form.Bt_SendMessage.caption(), "no equals sign here");
    EXPECT_EQ(form.StatusText[0], "text 55");
    EXPECT_EQ(form.sbrStatus.panelText(1), "ST: ");
    EXPECT_EQ(form.MsgText[9], "Sprache fehlt");
    EXPECT_EQ(form.MsgText[11], "text 82");
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(mdi.LngSel[i].caption().find("hidden"), std::string::npos);
}

TEST_F(Editor, crAloneEndsLines_linesAfter82Ignored) {
    std::string content;
    for (int n = 1; n <= 90; ++n)
        content += "L=t" + std::to_string(n) + "\r";
    ASSERT_TRUE(test.fs.writeFileAtomic(test.folder.file("mac.lng"), content));
    ASSERT_TRUE(fromFile(test.folder.file("mac.lng")));
    EXPECT_EQ(mdi.caption(), "t11 ");
    EXPECT_EQ(form.MsgText[11], "t82");
}

TEST_F(Editor, file81Lines_changesNothingAndReportsInTheLanguageShown) {
    ASSERT_TRUE(builtIn(3000));
    const std::string caption = mdi.caption();
    const std::string before = marker();
    const auto status = form.StatusText;
    test.msgBox.shown.clear();

    EXPECT_FALSE(fromFile(writeFile("short.lng", 81)));
    EXPECT_EQ(mdi.caption(), caption);
    EXPECT_EQ(mdi.LngSel[0].caption(), "en");
    EXPECT_EQ(form.Frame1[0].caption(), "Durchsage");
    EXPECT_EQ(form.StatusText, status);
    EXPECT_EQ(marker(), before);
    EXPECT_EQ(test.msgBox.beeps, 1);
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Sprachdatei nicht gefunden!\n\n" + test.folder.file("short.lng"));
    EXPECT_EQ(test.msgBox.shown[0].flags, IMessageBox::vbQuestion | IMessageBox::vbOKOnly);
    EXPECT_EQ(test.msgBox.shown[0].title, form.Caption);
}

TEST_F(Editor, missingFileOrUnknownLanguageBase_failWithTheMessage) {
    EXPECT_FALSE(fromFile(test.folder.file("absent.lng")));
    EXPECT_FALSE(builtIn(500));
    EXPECT_FALSE(builtIn(11000));
    ASSERT_EQ(test.msgBox.shown.size(), 3u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Language file cannot be found!\n\n" + test.folder.file("absent.lng") + "\n" +
                                             std::make_error_code(std::errc::no_such_file_or_directory).message());
    // A built-in language has no file of its own to blame.
    for (std::size_t i = 1; i < 3; ++i)
        EXPECT_EQ(test.msgBox.shown[i].text, "Language file cannot be found!\n\nignored.lng");
    EXPECT_EQ(mdi.caption(), "");
    EXPECT_EQ(form.sbrStatus.panelText(1), "");
    EXPECT_EQ(marker(), "<none>");
}

}  // namespace

namespace {

TEST_F(Editor, messageBoxTitle_isTheProgramsNameInTheLanguageWithoutTheColon) {
    EXPECT_EQ(form.Caption, "KVT 3310 Tavro message manager set up");
    ASSERT_TRUE(builtIn(3000));
    EXPECT_EQ(form.Caption, "KVT 3310 Tavro Durchsagen-Manager Einrichtung");
    ASSERT_TRUE(builtIn(2000));  // French writes a blank before the colon
    EXPECT_EQ(form.Caption, "KVT 3310 Tavro configuration du gestionnaire de messages");
    ASSERT_TRUE(fromFile(writeFile("own.lng", 82, {{11, "L11=Mein Programm: "}})));
    EXPECT_EQ(form.Caption, "Mein Programm");

    // The player's text follows the built-in language; a language file, which has no line for it, gives English.
    EXPECT_EQ(form.NoSoundText, "No sound output is available on this PC: the message cannot be played.");
    ASSERT_TRUE(builtIn(3000));
    EXPECT_EQ(form.NoSoundText,
              "Auf diesem PC ist keine Tonausgabe verfügbar: die Durchsage kann nicht abgespielt werden.");
    ASSERT_TRUE(fromFile(writeFile("own.lng", 82, {{11, "L11=Mein Programm: "}})));
    EXPECT_EQ(form.NoSoundText, "No sound output is available on this PC: the message cannot be played.");
    // So do the texts of files that fail.
    ASSERT_TRUE(builtIn(3000));
    EXPECT_EQ(form.FileFaultText[2], "Die WAVE-Datei enthält keinen Ton:");
    ASSERT_TRUE(fromFile(writeFile("own.lng", 82, {{11, "L11=Mein Programm: "}})));
    EXPECT_EQ(form.FileFaultText[2], "The WAVE file holds no sound:");

    // A language file that is a folder says so.
    const std::string folder = test.folder.file("folder.lng");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(fromFile(folder));
    EXPECT_EQ(test.msgBox.shown.back().text,
              form.MsgText[9] + "\n\n" + folder + "\n" + std::make_error_code(std::errc::is_a_directory).message());

    // A failing language keeps the name, and titles its own message with it.
    EXPECT_FALSE(fromFile(test.folder.file("missing.lng")));
    EXPECT_EQ(test.msgBox.shown.back().title, "Mein Programm");
}

}  // namespace
