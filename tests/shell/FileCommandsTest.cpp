// The File and Help commands of the main window: dialogs, file names, caption, unsaved-changes flag, viewing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "editor/ConfigFile.h"
#include "editor/Editor.h"
#include "settings/AppState.h"
#include "shell/Application.h"
#include "shell/FileCommands.h"
#include "shell/InstanceMarker.h"
#include "shell/LanguageApplier.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/TestPlatform.h"

namespace {

constexpr const char* kBase = "Tavro message manager ";
constexpr const char* kConfigFilter = "All Files (*.*)|*.*|Message Files (*.cfg)|*.cfg";

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Commands : ::testing::Test {
    TestPlatform test;
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{test.platform, app};
    Form1& form = editor.form();
    Workbench bench{test.platform, app, mdi, form};
    FileCommands commands{test.platform, app, mdi, editor};
    const char sep = test.fs.separator();

    Commands() {
        form.Form_Load();
        for (std::string* f : {&app.strAPPFilePath, &app.strMSGFilePath, &app.strTMPFilePath})
            *f = dir();
        app.strBaseCaption = kBase;
        mdi.setCaption(kBase);
    }
    /// The program folder with a trailing separator.
    std::string dir() const { return test.folder.path() + sep; }
    /// A folder inside the program folder, with a trailing separator.
    std::string subdir(const std::string& name) {
        std::filesystem::create_directories(dir() + name);
        return dir() + name + sep;
    }
    /// A configuration file holding a set whose slot 1 is named `name`.
    std::string configWithName(const std::string& path, const std::string& name) {
        TestPlatform other;
        AppState otherApp;
        Editor source{other.platform, otherApp};
        source.form().Form_Load();
        source.form().WaveFile[1].setText(name);
        EXPECT_TRUE(source.config().SaveConfig(path));
        return path;
    }
    /// Saves the set once through Save as, so that a configuration file is in use; forgets the dialog.
    void useFile(const std::string& name) {
        test.fileDialog.chooseNext(dir() + name);
        ASSERT_TRUE(commands.saveAs());
        test.fileDialog.requests.clear();
    }
    /// The save's message, naming the file that could not be written and why.
    void expectSaveMessage(const std::string& path, std::errc reason) {
        ASSERT_EQ(test.msgBox.shown.size(), 1u);
        EXPECT_EQ(test.msgBox.shown.back().text, "The configuration file could not be saved:\n\n" + path + "\n" +
                                                     std::make_error_code(reason).message());
    }
};

TEST_F(Commands, splitPath_usesTheLastSeparator) {
    auto hall = FileCommands::splitPath(std::string("D:") + sep + "sets" + sep + "hall.cfg", sep);
    EXPECT_EQ(hall.folder, std::string("D:") + sep + "sets" + sep);
    EXPECT_EQ(hall.name, "hall.cfg");
    auto bare = FileCommands::splitPath("hall.cfg", sep);
    EXPECT_EQ(bare.folder, "");
    EXPECT_EQ(bare.name, "hall.cfg");
    auto inCfgFolder = FileCommands::splitPath(std::string("D:") + sep + "x.cfg" + sep + "hall", sep);
    EXPECT_EQ(inCfgFolder.folder, std::string("D:") + sep + "x.cfg" + sep);
    EXPECT_EQ(inCfgFolder.name, "hall");

    EXPECT_EQ(FileCommands::configName("a.b.cfg"), "a.cfg");
    EXPECT_EQ(FileCommands::configName("hall"), "hall.cfg");
    EXPECT_EQ(FileCommands::configName("hall.txt"), "hall.cfg");
}

TEST_F(Commands, open_loadsTheChosenFileAndTakesItsNameAndFolder) {
    std::string sets = subdir("sets");
    configWithName(sets + "a.b.cfg", "gong");
    form.CommonDialog1.InitDir = "kept";
    test.fileDialog.chooseNext(sets + "a.b.cfg");
    mdi.Open.click();

    ASSERT_EQ(test.fileDialog.requests.size(), 1u);
    const FileDialogRequest& r = test.fileDialog.requests[0];
    EXPECT_EQ(r.filter, kConfigFilter);
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_EQ(r.fileName, "MessageSetup.cfg");
    EXPECT_EQ(r.initDir, dir());
    EXPECT_FALSE(r.save);

    EXPECT_EQ(form.WaveFile[1].text(), "gong");
    EXPECT_EQ(form.MessageFile, "a.b.cfg");  // any extension kept
    EXPECT_EQ(app.strMSGFilePath, sets);
    EXPECT_EQ(mdi.caption(), std::string(kBase) + "a.b.cfg");
    EXPECT_EQ(form.CommonDialog1.FileName, "");
    EXPECT_FALSE(app.blnChanged);
    EXPECT_EQ(readBytes(dir() + InstanceMarker::kFileName), std::string(kBase) + "a.b.cfg\r\n");
    EXPECT_TRUE(test.msgBox.shown.empty());
}

TEST_F(Commands, failedOpen_changesNothing) {
    std::string bad = dir() + "bad.cfg";
    ASSERT_TRUE(test.fs.writeFileAtomic(bad, "MsgBt(1) =True\r\n"));  // far fewer than 280 lines
    form.WaveFile[1].setText("mine");
    app.blnChanged = true;
    form.MessageFile = "mine.cfg";
    test.msgBox.answerNext(IMessageBox::vbNo);
    test.fileDialog.chooseNext(bad);
    mdi.Open.click();

    EXPECT_EQ(form.WaveFile[1].text(), "mine");
    EXPECT_EQ(form.MessageFile, "mine.cfg");
    EXPECT_EQ(app.strMSGFilePath, dir());
    EXPECT_EQ(mdi.caption(), kBase);
    EXPECT_TRUE(app.blnChanged);
    ASSERT_EQ(test.msgBox.shown.size(), 2u);
    EXPECT_EQ(test.msgBox.shown[1].text, "Configuration file cannot be found!\n\n" + bad);

    // So the next Save still offers the set's own file, not the one that could not be read.
    test.fileDialog.chooseNext(dir() + "mine.cfg");
    mdi.Save.click();
    EXPECT_EQ(test.fileDialog.requests.back().fileName, "mine.cfg");
    EXPECT_EQ(readBytes(bad), "MsgBt(1) =True\r\n");
    EXPECT_TRUE(test.fs.exists(dir() + "mine.cfg"));
}

TEST_F(Commands, openWithChanges_yesSavesFirst_noDoesNot_cancelledDialogStops) {
    std::string other = configWithName(dir() + "other.cfg", "other");
    form.WaveFile[1].setText("mine");
    app.blnChanged = true;
    test.msgBox.answerNext(IMessageBox::vbYes);
    test.fileDialog.chooseNext(dir() + "MessageSetup.cfg");  // nothing opened or saved yet: Save asks
    test.fileDialog.chooseNext(other);
    mdi.Open.click();
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Do you want to save the changes?");
    EXPECT_EQ(test.msgBox.shown[0].flags, IMessageBox::vbYesNo | IMessageBox::vbQuestion);
    EXPECT_EQ(test.msgBox.shown[0].title, kBase);
    EXPECT_NE(readBytes(dir() + "MessageSetup.cfg").find("WaveFile(1)=mine\r\n"), std::string::npos);
    EXPECT_EQ(form.WaveFile[1].text(), "other");

    form.MessageFile = "unsaved.cfg";
    app.blnChanged = true;
    test.msgBox.answerNext(IMessageBox::vbNo);
    test.fileDialog.cancelNext();
    mdi.Open.click();
    EXPECT_FALSE(test.fs.exists(dir() + "unsaved.cfg"));
    EXPECT_TRUE(app.blnChanged);
    EXPECT_EQ(form.MessageFile, "unsaved.cfg");
}

TEST_F(Commands, openWithChanges_yesAndAFailedSave_keepsTheChangedSet) {
    app.strMSGFilePath = dir() + "missing" + sep;
    form.WaveFile[1].setText("mine");
    app.blnChanged = true;
    test.msgBox.answerNext(IMessageBox::vbYes);
    test.fileDialog.chooseNext(dir() + "missing" + sep + "MessageSetup.cfg");
    mdi.Open.click();  // no open dialog after the save: an unexpected one fails the test
    EXPECT_EQ(test.fileDialog.requests.size(), 1u);
    EXPECT_EQ(form.WaveFile[1].text(), "mine");
    EXPECT_TRUE(app.blnChanged);
    ASSERT_EQ(test.msgBox.shown.size(), 2u);
    EXPECT_EQ(test.msgBox.shown[1].text, "The configuration file could not be saved:\n\n" + dir() + "missing" + sep +
                                             "MessageSetup.cfg\n" +
                                             std::make_error_code(std::errc::no_such_file_or_directory).message());
}

TEST_F(Commands, save_writesTheCurrentFileWithTheCfgExtension) {
    useFile("MessageSetup.cfg");
    const std::pair<const char*, const char*> cases[] = {
        {"MessageSetup.cfg", "MessageSetup.cfg"}, {"a.b.cfg", "a.cfg"}, {"hall", "hall.cfg"}};
    for (const auto& [current, written] : cases) {
        form.MessageFile = current;
        app.blnChanged = true;
        mdi.Save.click();
        EXPECT_EQ(form.MessageFile, written);
        EXPECT_TRUE(test.fs.exists(dir() + written)) << written;
        EXPECT_FALSE(app.blnChanged);
    }
    // The title names the file Save writes.
    EXPECT_EQ(mdi.caption(), kBase + std::string("hall.cfg"));
    EXPECT_TRUE(test.fileDialog.requests.empty());
}

TEST_F(Commands, saveBeforeAnyFileInThisRun_asksOfferingTheRememberedName) {
    // A name remembered from an earlier day may be another installation's set: it is offered, not overwritten.
    std::string earlier = configWithName(dir() + "Lobby.cfg", "earlier");
    form.MessageFile = "Lobby.cfg";
    form.WaveFile[1].setText("today");
    app.blnChanged = true;
    test.fileDialog.cancelNext();
    EXPECT_FALSE(commands.save());
    ASSERT_EQ(test.fileDialog.requests.size(), 1u);
    EXPECT_EQ(test.fileDialog.requests[0].fileName, "Lobby.cfg");
    EXPECT_EQ(test.fileDialog.requests[0].initDir, dir());
    EXPECT_TRUE(test.fileDialog.requests[0].save);
    EXPECT_NE(readBytes(earlier).find("WaveFile(1)=earlier\r\n"), std::string::npos);
    EXPECT_TRUE(app.blnChanged);

    // Once saved under a name, Save writes there without asking.
    test.fileDialog.chooseNext(dir() + "Hall.cfg");
    mdi.Save.click();
    EXPECT_EQ(mdi.caption(), kBase + std::string("Hall.cfg"));
    form.WaveFile[1].setText("later");
    mdi.Save.click();
    EXPECT_EQ(test.fileDialog.requests.size(), 2u);
    EXPECT_NE(readBytes(dir() + "Hall.cfg").find("WaveFile(1)=later\r\n"), std::string::npos);
    EXPECT_NE(readBytes(earlier).find("WaveFile(1)=earlier\r\n"), std::string::npos);
}

TEST_F(Commands, saveAfterOpen_writesTheOpenedFileWithoutAsking) {
    std::string hall = configWithName(dir() + "hall.cfg", "hall");
    test.fileDialog.chooseNext(hall);
    mdi.Open.click();
    form.WaveFile[1].setText("changed");
    mdi.Save.click();
    EXPECT_EQ(test.fileDialog.requests.size(), 1u);
    EXPECT_NE(readBytes(hall).find("WaveFile(1)=changed\r\n"), std::string::npos);
}

TEST_F(Commands, failedSave_keepsTheFlagAndTheOldFile) {
    useFile("MessageSetup.cfg");
    app.strMSGFilePath = dir() + "missing" + sep;
    app.blnChanged = true;
    EXPECT_FALSE(commands.save());
    EXPECT_TRUE(app.blnChanged);
    expectSaveMessage(dir() + "missing" + sep + "MessageSetup.cfg", std::errc::no_such_file_or_directory);

    app.strMSGFilePath = dir();
    std::string locked = dir() + "MessageSetup.cfg";
    ASSERT_TRUE(test.fs.writeFileAtomic(locked, "old"));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    EXPECT_FALSE(commands.save());
    EXPECT_TRUE(app.blnChanged);
    EXPECT_EQ(readBytes(locked), "old");
}

TEST_F(Commands, saveAs_savesUnderTheChosenNameAndShowsItInTheCaption) {
    std::string cfgFolder = subdir("x.cfg");
    const struct {
        std::string chosen, folder, file;
    } cases[] = {
        {dir() + "hall", dir(), "hall.cfg"},
        {dir() + "a.b.cfg", dir(), "a.cfg"},
        {cfgFolder + "hall", cfgFolder, "hall.cfg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        app.blnChanged = true;
        test.fileDialog.chooseNext(c.chosen);
        mdi.Save_as.click();
        EXPECT_TRUE(test.fs.exists(c.folder + c.file));
        EXPECT_EQ(form.MessageFile, c.file);
        EXPECT_EQ(app.strMSGFilePath, c.folder);
        EXPECT_EQ(mdi.caption(), kBase + FileCommands::splitPath(c.chosen, sep).name);
        EXPECT_EQ(form.CommonDialog1.FileName, "");
        EXPECT_FALSE(app.blnChanged);
    }
    const FileDialogRequest& r = test.fileDialog.requests.back();
    EXPECT_EQ(r.filter, kConfigFilter);
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_EQ(r.fileName, "a.cfg");  // the name the previous Save as left
    EXPECT_EQ(r.initDir, dir());
    EXPECT_TRUE(r.save);
}

TEST_F(Commands, saveAsCancelledOrFailed_keepsTheFlagAndTheCurrentFile) {
    app.blnChanged = true;
    test.fileDialog.cancelNext();
    EXPECT_FALSE(commands.saveAs());
    EXPECT_TRUE(app.blnChanged);

    test.fileDialog.chooseNext(dir() + "missing" + sep + "hall.cfg");
    EXPECT_FALSE(commands.saveAs());
    EXPECT_TRUE(app.blnChanged);
    EXPECT_EQ(form.MessageFile, "MessageSetup.cfg");
    EXPECT_EQ(app.strMSGFilePath, dir());
    EXPECT_EQ(mdi.caption(), kBase);
    expectSaveMessage(dir() + "missing" + sep + "hall.cfg", std::errc::no_such_file_or_directory);
}

TEST_F(Commands, closeWithChanges_yesThenCancelledOrFailedSave_keepsRunning) {
    Application application{test.platform};
    application.app().strAPPFilePath = dir();
    application.form().Form_Load();
    application.app().blnChanged = true;

    test.msgBox.answerNext(IMessageBox::vbYes);
    test.fileDialog.cancelNext();
    EXPECT_FALSE(application.mdi().requestClose());

    test.msgBox.answerNext(IMessageBox::vbYes);
    test.fileDialog.chooseNext(dir() + "missing" + sep + "hall.cfg");
    EXPECT_FALSE(application.mdi().requestClose());
    EXPECT_TRUE(application.app().blnChanged);

    test.msgBox.answerNext(IMessageBox::vbYes);
    test.fileDialog.chooseNext(dir() + "hall.cfg");
    EXPECT_TRUE(application.mdi().requestClose());
    EXPECT_TRUE(test.fs.exists(dir() + "hall.cfg"));
}

TEST_F(Commands, saveAsTextFile_writesThePrintoutAndOpensItInTheViewer) {
    std::string path = dir() + "my print;'x'.txt";
    test.fileDialog.chooseNext(path);
    mdi.Save_as_text_file.click();

    const FileDialogRequest& r = test.fileDialog.requests.at(0);
    EXPECT_EQ(r.filter, "All Files (*.*)|*.*|Text Files(*.txt)|*.txt");
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_EQ(r.fileName, "PrintSetup.txt");
    EXPECT_EQ(r.initDir, dir());
    EXPECT_TRUE(r.save);
    std::string printout = readBytes(path);
    EXPECT_EQ(printout.rfind("Message-", 0), 0u);
    EXPECT_EQ(std::count(printout.begin(), printout.end(), '\n'), 17);
    EXPECT_EQ(test.viewer.viewed, std::vector<std::string>{path});
    EXPECT_EQ(form.CommonDialog1.FileName, "");
    EXPECT_FALSE(app.blnChanged);
}

TEST_F(Commands, saveAsTextFileCancelledOrFailed_opensNothing) {
    test.fileDialog.cancelNext();
    mdi.Save_as_text_file.click();
    EXPECT_EQ(form.CommonDialog1.FileName, "PrintSetup.txt");

    test.fileDialog.chooseNext(dir() + "missing" + sep + "PrintSetup.txt");
    mdi.Save_as_text_file.click();
    EXPECT_TRUE(test.viewer.viewed.empty());
    EXPECT_TRUE(test.msgBox.shown.empty());
}

TEST_F(Commands, helpItems_areShownAndOpenTheFilesOfTheProgramFolder) {
    EXPECT_TRUE(mdi.Instructions_for_use.visible());
    EXPECT_TRUE(mdi.Contacts.visible());
    mdi.Instructions_for_use.click();
    mdi.Contacts.click();
    EXPECT_EQ(test.viewer.viewed,
              (std::vector<std::string>{test.fs.programFolder() + sep + "IFU Tavro Message manager.TXT",
                                        test.fs.programFolder() + sep + "Contacts Norvik.TXT"}));
}

}  // namespace

// The title names the open file after a change of language and after Save; Browse starts in the slot's own
// folder, else the open set's, else the folder a wave file was last chosen from.
TEST_F(Commands, titleAfterALanguageChange_andBrowsesStartingFolder) {
    const std::string sets = subdir("sets");
    configWithName(sets + "a.cfg", "gong");
    test.fileDialog.chooseNext(sets + "a.cfg");
    mdi.Open.click();
    app.LngBase = 3000;
    ASSERT_TRUE(bench.language().OpenLng("de.lng"));
    const std::string german = app.strBaseCaption;
    EXPECT_NE(german, kBase);
    EXPECT_EQ(mdi.caption(), german + "a.cfg");
    mdi.Save.click();
    EXPECT_EQ(mdi.caption(), german + "a.cfg");

    const std::string audio = subdir("audio");
    app.strWAVFilePath = subdir("last");
    const struct {
        std::string slotPath, setFolder, expected;
    } cases[] = {{audio + "audio.wav", sets, audio}, {"", sets, sets}, {"", "", app.strWAVFilePath}};
    for (const auto& c : cases) {
        form.FilePath[1] = c.slotPath;
        form.SetFolder = c.setFolder;
        test.fileDialog.cancelNext();
        form.Bt_Browse[1].click();
        ASSERT_FALSE(test.fileDialog.requests.empty());
        EXPECT_EQ(test.fileDialog.requests.back().initDir, c.expected) << c.slotPath << " | " << c.setFolder;
    }
}
