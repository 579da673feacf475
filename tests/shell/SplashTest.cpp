// The splash and About window: picture by resolution, language on the labels, title sizes, early end, About role.
#include <gtest/gtest.h>

#include "settings/AppState.h"
#include "shell/Application.h"
#include "shell/frmSplash.h"
#include "support/TestPlatform.h"

namespace {

struct Splash : ::testing::Test {
    TestPlatform test;
    AppState app;
    frmSplash splash{test.platform, app};

    Splash() { app.strAPPFilePath = app.strLNGFilePath = app.stroLNGFilePath = folder(); }
    std::string folder() const { return test.folder.slashed(); }
    void settings(const std::string& languageFile, const std::string& extra = "") {
        ASSERT_TRUE(test.fs.writeFileAtomic(
            folder() + "KVT3310.INI", "[File paths]\r\nstrLNGFilePath=" + folder() + "\r\nstroLNGFilePath=" + folder() +
                                          "\r\nLanguageFile=" + languageFile + "\r\n" + extra));
    }
    void builtIn(std::int16_t base, const char* file) {
        app.LngExternal = false;
        app.LngBase = base;
        settings(file);
    }
    void writeOwn(const std::string& name, int lines) {
        std::string content;
        for (int n = 1; n <= lines; ++n)
            content += "Logo" + std::to_string(n) + " = own " + std::to_string(n) + "\r\n";
        ASSERT_TRUE(test.fs.writeFileAtomic(folder() + name, content));
    }
};

TEST_F(Splash, pictureChoice_96ShowsImage1_120ShowsImage2_144MovesNeither) {
    test.screen.dpi = 144;
    splash.showSplash();
    const Picture* created = &splash.topImage();
    EXPECT_EQ(created, &splash.Image2);

    test.screen.dpi = 96;
    splash.chkWinFont1();
    EXPECT_EQ(&splash.topImage(), &splash.Image1);
    test.screen.dpi = 144;
    splash.chkWinFont1();
    EXPECT_EQ(&splash.topImage(), &splash.Image1);
    test.screen.dpi = 120;
    splash.chkWinFont1();
    EXPECT_EQ(&splash.topImage(), &splash.Image2);
}

TEST_F(Splash, withoutSettingsFile_labelsKeepTheirEnglishTexts) {
    app.LngExternal = false;
    app.LngBase = 3000;
    splash.showSplash();
    EXPECT_EQ(splash.Lb_Logo[0].caption(), "message manager set up");
    EXPECT_EQ(splash.Lb_Logo[3].caption(), " trigger input configuration");
    EXPECT_TRUE(splash.Lb_Logo[4].caption().starts_with("Release 2.0 (05-03)"));
    EXPECT_EQ(splash.Lb_Logo[7].caption(), "");
    EXPECT_EQ(splash.Lb_Logo[0].fontSize(), 24);
}

TEST_F(Splash, builtInLanguage_setsLabels0To6AndTheTitleSize) {
    builtIn(6000, "pt.lng");
    splash.showSplash();
    EXPECT_EQ(splash.Lb_Logo[0].caption(), "configuração do gestor de mensagens");
    EXPECT_EQ(splash.Lb_Logo[0].fontSize(), 20);
    EXPECT_NE(splash.Lb_Logo[5].caption().find("Norvik"), std::string::npos);
    EXPECT_EQ(splash.Lb_Logo[7].caption(), "");
    EXPECT_EQ(splash.LanguageFile, "pt.lng");

    for (auto [base, file] : {std::pair{2000, "fr.lng"}, {4000, "es.lng"}, {9000, "no.lng"}, {10000, "el.lng"}}) {
        frmSplash fresh(test.platform, app);
        builtIn(static_cast<std::int16_t>(base), file);
        fresh.showSplash();
        EXPECT_EQ(fresh.Lb_Logo[0].fontSize(), 18) << file;
    }
    for (auto [base, file] : {std::pair{0, "en.lng"}, {3000, "de.lng"}, {7000, "cs.lng"}}) {
        frmSplash fresh(test.platform, app);
        builtIn(static_cast<std::int16_t>(base), file);
        fresh.showSplash();
        EXPECT_EQ(fresh.Lb_Logo[0].fontSize(), 24) << file;
    }
}

TEST_F(Splash, greek_gives161OnLabels0To6_anotherLanguageOnANewWindowGivesZero) {
    builtIn(10000, "el.lng");
    splash.showSplash();
    for (int k = 0; k <= 6; ++k)
        EXPECT_EQ(splash.Lb_Logo[k].charset(), 161) << k;
    EXPECT_EQ(splash.Lb_Logo[7].charset(), 0);
    EXPECT_EQ(splash.Lb_Logo[2].caption(), "μεταφόρτωση μηνυμάτων");

    splash.Timer1_Timer();
    builtIn(1000, "nl.lng");
    splash.showAbout();
    for (int k = 0; k <= 6; ++k)
        EXPECT_EQ(splash.Lb_Logo[k].charset(), 0) << k;
    EXPECT_EQ(splash.Lb_Logo[0].caption(), "configuratie berichtenmanager");
}

TEST_F(Splash, ownLanguageFile_tenLinesAreEnough_charsetAndTitleSizeStay) {
    writeOwn("own.lng", 10);
    app.LngExternal = true;
    settings("own.lng");
    splash.showSplash();
    for (int k = 0; k < frmSplash::kLabels; ++k) {
        EXPECT_EQ(splash.Lb_Logo[k].caption(), "own " + std::to_string(k + 1));
        EXPECT_EQ(splash.Lb_Logo[k].charset(), 0);
    }
    EXPECT_EQ(splash.Lb_Logo[0].fontSize(), 24);
    EXPECT_TRUE(splash.Open_Logo_Lng(folder() + "own.lng"));
}

TEST_F(Splash, ownFileOfNineLinesOrUnreadableSettings_changeNoLabelSilently) {
    writeOwn("nine.lng", 9);
    app.LngExternal = true;
    settings("nine.lng");
    splash.showSplash();
    EXPECT_EQ(splash.Lb_Logo[0].caption(), "message manager set up");
    EXPECT_FALSE(splash.Open_Logo_Lng(folder() + "nine.lng"));

    settings("own.lng", "stroLNGFilePathType=perhaps\r\n");
    app.strLNGFilePath = "/kept/";
    EXPECT_FALSE(splash.Open_Logo_Ini("ignored"));
    EXPECT_EQ(app.strLNGFilePath, "/kept/");
    EXPECT_EQ(splash.LanguageFile, "nine.lng");
    EXPECT_TRUE(test.msgBox.shown.empty());
}

TEST_F(Splash, ownFolderIsUsedWhenTheSettingsSaySo) {
    std::filesystem::create_directory(folder() + "mine");
    ASSERT_TRUE(
        test.fs.writeFileAtomic(folder() + "mine" + kSeparator + "x.lng", std::string(10, '\n').insert(0, "t=mine")));
    ASSERT_TRUE(test.fs.writeFileAtomic(folder() + "KVT3310.INI", "[File paths]\r\nstroLNGFilePath=" + folder() +
                                                                      "mine/\r\nstroLNGFilePathType=True\r\n"
                                                                      "LanguageFile=x.lng\r\n"));
    app.LngExternal = true;
    splash.showSplash();
    EXPECT_EQ(splash.Lb_Logo[0].caption(), "mine");
    EXPECT_EQ(app.strLNGFilePath, "");
    EXPECT_TRUE(app.stroLNGFilePathType);
}

TEST_F(Splash, timerOrKeyOrClick_endTheSplashAndOpenTheEditorOnce) {
    int opened = 0;
    splash.SplashDone = [&] { ++opened; };
    splash.showSplash();
    EXPECT_TRUE(splash.timerRunning());
    EXPECT_FALSE(splash.Bt_Close.visible());
    test.events.advance(frmSplash::kSplashMs - 1);
    EXPECT_EQ(opened, 0);
    test.events.advance(1);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(splash.visible());
    test.events.advance(10 * frmSplash::kSplashMs);
    EXPECT_EQ(opened, 1);

    for (auto end : {&frmSplash::Form_KeyPress, &frmSplash::Form_Click}) {
        frmSplash again(test.platform, app);
        int done = 0;
        again.SplashDone = [&] { ++done; };
        again.showSplash();
        (again.*end)();
        EXPECT_EQ(done, 1);
        EXPECT_FALSE(again.visible());
        test.events.advance(frmSplash::kSplashMs);
        EXPECT_EQ(done, 1);
    }
}

TEST(SplashAbout, aboutCommand_writesSettingsFirst_showsTheChosenLanguageWithOk) {
    TestPlatform test;
    Application application(test.platform);
    ASSERT_TRUE(application.StartUp());
    test.events.advance(frmSplash::kSplashMs);
    ASSERT_TRUE(application.editorShown());
    frmSplash& splash = application.splash();

    application.mdi().LngSel[3].click();
    application.mdi().About_Tavro_message_manager.click();
    EXPECT_TRUE(splash.visible());
    EXPECT_TRUE(splash.aboutRole());
    EXPECT_FALSE(splash.timerRunning());
    EXPECT_TRUE(splash.Bt_Close.visible());
    EXPECT_EQ(splash.Lb_Logo[0].caption(), "Durchsagen-Manager Einrichtung");
    EXPECT_TRUE(test.fs.readFile(test.folder.file("KVT3310.INI")).value_or("").find("strMSGFilePath") !=
                std::string::npos);

    splash.Form_Click();
    EXPECT_TRUE(splash.visible());
    splash.Bt_Close.click();
    EXPECT_FALSE(splash.visible());
    EXPECT_TRUE(application.editorShown());

    application.mdi().LngSel[1].click();
    application.mdi().About_Tavro_message_manager.click();
    EXPECT_EQ(splash.Lb_Logo[0].fontSize(), 18);
    splash.Form_KeyPress();
    EXPECT_FALSE(splash.visible());

    application.mdi().LngSel[0].click();
    application.mdi().About_Tavro_message_manager.click();
    EXPECT_EQ(splash.Lb_Logo[0].fontSize(), 24);
    EXPECT_EQ(splash.Lb_Logo[0].caption(), "message manager set up");
}

}  // namespace
