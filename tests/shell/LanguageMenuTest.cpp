// The language menu and the start language: built-in choices, own files through `other`, and the next start.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "settings/IniProcedures.h"
#include "shell/Application.h"
#include "shell/LanguageApplier.h"
#include "shell/LanguageMenu.h"
#include "support/TestPlatform.h"

namespace {

struct Program : ::testing::Test {
    TestPlatform test;
    std::unique_ptr<Application> application;

    std::string folder() const { return test.folder.slashed(); }
    /// Starts the program and lets the splash hand over to the editor.
    Application& start() {
        application = std::make_unique<Application>(test.platform);
        EXPECT_TRUE(application->StartUp());
        test.events.advance(frmSplash::kSplashMs);
        EXPECT_TRUE(application->editorShown());
        return *application;
    }
    /// Ends the program through the close request, which writes the settings file.
    void stop() {
        ASSERT_TRUE(application->mdi().requestClose());
        application.reset();
    }
    std::string languageKey() {
        return IniProcedures(test.fs, test.codec)
            .ReadIni("File paths", "LanguageFile", folder() + "KVT3310.INI")
            .value_or("<none>");
    }
    std::vector<int> marked() {
        std::vector<int> items;
        for (int i = 0; i < MDIKVT3310::kLanguages; ++i) {
            if (application->mdi().LngSel[i].checked())
                items.push_back(i);
        }
        if (application->mdi().other.checked())
            items.push_back(-1);
        return items;
    }
    /// An own language file whose every line reads "L=<tag> n".
    void writeOwn(const std::string& path, const std::string& tag, int lines = 82) {
        std::string content;
        for (int n = 1; n <= lines; ++n)
            content += "L=" + tag + " " + std::to_string(n) + "\r\n";
        ASSERT_TRUE(test.fs.writeFileAtomic(path, content));
    }
};

TEST_F(Program, choosingItalian_writesItsFileName_andTheNextStartShowsItalian) {
    start().mdi().LngSel[5].click();
    EXPECT_EQ(application->mdi().caption(), "KVT 3310 Tavro configurazione gestore messaggi: ");
    EXPECT_EQ(languageKey(), "it.lng");
    EXPECT_EQ(marked(), std::vector<int>{5});
    EXPECT_EQ(application->form().LanguageFile, "en.lng");
    stop();

    start();
    EXPECT_FALSE(application->app().LngExternal);
    EXPECT_EQ(application->app().LngBase, 5000);
    EXPECT_EQ(application->mdi().caption(), "KVT 3310 Tavro configurazione gestore messaggi: ");
    EXPECT_EQ(application->form().Bt_Browse[1].caption(), "Sfoglia");
    EXPECT_EQ(marked(), std::vector<int>{5});
}

TEST_F(Program, choosingGreek_marksItemTenAtOnceAndAfterRestart) {
    start().mdi().LngSel[2].click();
    application->mdi().LngSel[10].click();
    EXPECT_EQ(marked(), std::vector<int>{10});
    EXPECT_EQ(application->form().Lb_Total.caption(), "Σύνολο");
    EXPECT_EQ(application->form().Lb_Total.charset(), LanguageApplier::kGreek);
    stop();
    start();
    EXPECT_EQ(marked(), std::vector<int>{10});
    EXPECT_EQ(application->form().Lb_Total.charset(), LanguageApplier::kGreek);
}

TEST_F(Program, ownFileThroughOther_isRecordedWithItsFolder_andAppliedAgainAtTheNextStart) {
    std::filesystem::create_directory(folder() + "sets");
    writeOwn(folder() + "sets" + kSeparator + "hall.lng", "hall");
    start();
    application->app().stroLNGFilePath = folder() + "old/";
    test.fileDialog.chooseNext(folder() + "sets" + kSeparator + "hall.lng");
    application->mdi().other.click();

    ASSERT_EQ(test.fileDialog.requests.size(), 1u);
    const FileDialogRequest& request = test.fileDialog.requests[0];
    EXPECT_EQ(request.filter, "All Files (*.*)|*.*|Language Files (*.lng)|*.lng");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.fileName, "en.lng");
    EXPECT_EQ(request.initDir, folder() + "old/");
    EXPECT_FALSE(request.save);

    EXPECT_EQ(application->mdi().caption(), "hall 11 ");
    EXPECT_EQ(application->form().LanguageFile, "hall.lng");
    EXPECT_EQ(application->app().stroLNGFilePath, folder() + "sets" + kSeparator);
    EXPECT_TRUE(application->app().stroLNGFilePathType);
    EXPECT_TRUE(application->app().LngExternal);
    EXPECT_EQ(languageKey(), "hall.lng");
    EXPECT_EQ(marked(), std::vector<int>{-1});
    EXPECT_EQ(application->bench().languageMenu().PLanguageFile, "en.lng");
    stop();

    start();
    EXPECT_TRUE(application->app().LngExternal);
    EXPECT_EQ(application->mdi().caption(), "hall 11 ");
    EXPECT_EQ(application->form().MsgText[11], "hall 82");
    EXPECT_TRUE(marked().empty());
}

TEST_F(Program, cancellingTheDialog_changesNothingButLngExternal) {
    start().mdi().LngSel[3].click();
    test.fileDialog.cancelNext();
    application->mdi().other.click();
    EXPECT_TRUE(application->app().LngExternal);
    EXPECT_EQ(application->mdi().caption(), "KVT 3310 Tavro Durchsagen-Manager Einrichtung: ");
    EXPECT_EQ(languageKey(), "de.lng");
    EXPECT_EQ(marked(), std::vector<int>{3});
    EXPECT_TRUE(test.msgBox.shown.empty());
}

TEST_F(Program, unreadableOwnFile_keepsTheLanguageButIsRecordedAndMarked) {
    writeOwn(folder() + "short.lng", "short", 81);
    start().mdi().LngSel[3].click();
    test.fileDialog.chooseNext(folder() + "short.lng");
    application->mdi().other.click();
    EXPECT_EQ(application->mdi().caption(), "KVT 3310 Tavro Durchsagen-Manager Einrichtung: ");
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Sprachdatei nicht gefunden!\n\n" + folder() + "short.lng");
    EXPECT_EQ(languageKey(), "short.lng");
    EXPECT_EQ(marked(), std::vector<int>{-1});
}

TEST_F(Program, builtInNameInCapitals_isAnOwnFileFromTheLanguageFolder) {
    writeOwn(folder() + "DE.LNG", "capital");
    ASSERT_TRUE(test.fs.writeFileAtomic(folder() + "KVT3310.INI",
                                        "[File paths]\r\nstrLNGFilePath=" + folder() + "\r\nLanguageFile=DE.LNG\r\n"));
    start();
    EXPECT_TRUE(application->app().LngExternal);
    EXPECT_EQ(application->mdi().caption(), "capital 11 ");
    EXPECT_TRUE(marked().empty());
}

TEST_F(Program, firstStart_withoutEnLngKeepsTheCreatedTexts_withEnLngAppliesEnglishAndMarksIt) {
    start();
    EXPECT_EQ(application->mdi().caption(), "");
    EXPECT_EQ(application->mdi().File.caption(), "File");
    EXPECT_TRUE(marked().empty());
    EXPECT_EQ(application->form().LanguageFile, "en.lng");
    application.reset();
    std::filesystem::remove(folder() + "KVT3310.INI");

    writeOwn(folder() + "en.lng", "template");
    start();
    EXPECT_EQ(application->mdi().caption(), "KVT 3310 Tavro message manager set up: ");
    EXPECT_EQ(application->form().sbrStatus.panelText(1), "STATUS: ");
    EXPECT_EQ(marked(), std::vector<int>{0});
}

}  // namespace
