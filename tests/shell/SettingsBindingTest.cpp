// The settings between the file and the windows: every value both ways, the port marks as far as a read got,
// and the messages of a failed read or save.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/Editor.h"
#include "settings/AppState.h"
#include "settings/CodePageCodec.h"
#include "shell/MDIKVT3310.h"
#include "shell/SettingsBinding.h"
#include "shell/Workbench.h"
#include "support/TestPlatform.h"
#include "unitlink/ProtocolTrace.h"
#include "unitlink/SerialLink.h"

namespace {

struct Window {
    explicit Window(Platform& platform) : editor{platform, app}, bench{platform, app, mdi, form} {
        form.Form_Load();
        mdi.Com1.setChecked(true);
    }
    AppState app;
    MDIKVT3310 mdi;
    Editor editor;
    Form1& form = editor.form();
    Workbench bench;
    SettingsBinding binding{form, mdi, bench.link()};
};

struct Binding : ::testing::Test {
    TestPlatform test;
    Window window{test.platform};
    std::string file = test.folder.file("KVT3310.INI");
};

TEST_F(Binding, everyValue_goesToTheWindowsAndBack) {
    // No member at its start value, and no two alike.
    const Settings settings{1200,  2,     "9600", "E",     "7",   "1",     "COM5", "/dev/ttyUSB3", "/dev/ttyACM1",
                            "/l/", "/o/", true,   "x.lng", "/m/", "a.cfg", "/w/",  false,          64 * 1024};
    window.binding.take(settings);
    window.bench.link().trace().setLimit(settings.traceLimit);
    EXPECT_EQ(window.binding.current(), settings);
}

TEST_F(Binding, portMarks_followTheReadAsFarAsItGot) {
    struct Case {
        const char* file;
        bool read, com1, com2;
    };
    const Case cases[] = {
        {"[Com settings]\r\nCom1Device=/dev/ttyUSB0\r\n", true, true, false},
        {"[Com settings]\r\nCommport=7\r\n", true, false, true},
        {"[Com settings]\r\nCommport=2\r\nPortName=/dev/ttyUSB0\r\n", true, false, false},
        {"[Com Settings]\r\nCommTimeOut=2500\r\nCommPort=one\r\n", false, true, false},
        {"[Com settings]\r\nCommport=2\r\nPortName=COM5\r\n[File paths]\r\nstroLNGFilePathType=no\r\n", false, false,
         true}};
    for (const Case& c : cases) {
        Window w(test.platform);
        ASSERT_TRUE(test.fs.writeFileAtomic(file, c.file));
        EXPECT_EQ(w.binding.OpenIni(file), c.read) << c.file;
        EXPECT_EQ(w.mdi.Com1.checked(), c.com1) << c.file;
        EXPECT_EQ(w.mdi.Com2.checked(), c.com2) << c.file;
    }
    ASSERT_EQ(test.msgBox.shown.size(), 2u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Initial file cannot be found!");
    EXPECT_EQ(test.msgBox.shown[0].flags, IMessageBox::vbQuestion);
    EXPECT_EQ(test.msgBox.shown[0].title, window.form.Caption);
    EXPECT_EQ(test.msgBox.beeps, 2);
}

TEST_F(Binding, failedSave_namesTheFileOrTheValueTheCodePageCannotHold) {
    // A folder in the file's place cannot be replaced by a file, whoever runs the test.
    const std::string blocked = test.folder.file("blocked");
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(window.binding.SaveIni(blocked));
    EXPECT_FALSE(window.binding.SaveIni(test.folder.file("no such folder/KVT3310.INI")));
    CodePageCodec codec{1252};
    Platform platform = test.platformWith(test.fs, codec);
    Window czech(platform);
    czech.app.strWAVFilePath = "/zvuky/Jiří/";
    EXPECT_FALSE(czech.binding.SaveIni(file));
    EXPECT_FALSE(test.fs.exists(file));

    ASSERT_EQ(test.msgBox.shown.size(), 3u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Initial file cannot be found!\n\n" + blocked);
    EXPECT_EQ(test.msgBox.shown[0].flags, IMessageBox::vbQuestion);
    EXPECT_EQ(test.msgBox.shown[2].text, "Initial file cannot be found!\n/zvuky/Jiří/");
    EXPECT_EQ(test.msgBox.beeps, 3);
}

}  // namespace
