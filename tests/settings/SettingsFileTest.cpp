// The settings file: private-profile semantics, SaveIni and OpenIni, values the code page cannot hold, and
// files too large to be settings.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/Form1.h"
#include "settings/AppState.h"
#include "settings/CodePageCodec.h"
#include "settings/IniProcedures.h"
#include "settings/PrivateProfile.h"
#include "settings/SettingsFile.h"
#include "shell/MDIKVT3310.h"
#include "support/CountingFileSystem.h"
#include "support/TestPlatform.h"

namespace {

TEST(PrivateProfile, namesMatchWithoutRegardToCase_firstMatchCounts) {
    PrivateProfile p("[Com settings]\r\nCommport=2\r\ncommport=3\r\n[File paths]\r\nMessageFile = a b.cfg \r\n");
    EXPECT_EQ(p.get("COM SETTINGS", "CommPort"), "2");
    EXPECT_EQ(p.get("file Paths", "messagefile"), "a b.cfg");
    EXPECT_EQ(p.get("File paths", "Commport"), std::nullopt);
    EXPECT_EQ(p.get("Missing", "x"), std::nullopt);
}

TEST(PrivateProfile, set_keepsOtherEntriesAndTheirOrder) {
    PrivateProfile p("; installer note\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    p.set("a", "Y", "20");
    p.set("A", "w", "4");
    p.set("C", "k", "v");
    EXPECT_EQ(p.text(), "; installer note\r\n[A]\r\nx=1\r\ny=20\r\nw=4\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n");
}

TEST(PrivateProfile, set_onEmptyTextCreatesSectionAndKey) {
    PrivateProfile p;
    p.set("File paths", "LanguageFile", "de.lng");
    EXPECT_EQ(p.text(), "[File paths]\r\nLanguageFile=de.lng\r\n");
}

TEST(PrivateProfile, valuesWithOuterBlanksOrQuotes_areQuotedAndReadBackAsSet) {
    PrivateProfile p;
    for (const std::string value : {" lead", "trail\t", "\"quoted\"", "\"", "in \"middle\" kept"}) {
        p.set("A", "k", value);
        EXPECT_EQ(p.get("A", "k"), value) << value;
    }
    p.set("A", "k", " x ");
    EXPECT_EQ(p.text(), "[A]\r\nk=\" x \"\r\n");
}

struct Settings : ::testing::Test {
    TestPlatform test;
    AppState app;
    MDIKVT3310 mdi;
    Form1 form{test.platform, app, mdi};
    IniProcedures ini{test.fs, test.codec};
    std::string file = test.folder.file("KVT3310.INI");

    void write(const std::string& content) { ASSERT_TRUE(test.fs.writeFileAtomic(file, content)); }
};

TEST_F(Settings, readIni_cutsValuesTo254Characters) {
    write("[File paths]\r\nstrMSGFilePath=" + std::string(300, 'x') + "\r\n");
    EXPECT_EQ(ini.ReadIni("File paths", "strMSGFilePath", file), std::string(254, 'x'));
    EXPECT_EQ(ini.ReadIni("File paths", "missing", file), std::nullopt);
    EXPECT_EQ(ini.ReadIni("File paths", "x", test.folder.file("none.ini")), std::nullopt);
}

TEST_F(Settings, writeIni_createsTheFileWithCrLfAndEightBitText) {
    EXPECT_NE(ini.WriteIni("File paths", "strWAVFilePath",
                           std::string("C:\\Ansagen\\Bahnh\xC3\xB6"
                                       "fe\\"),
                           file),
              0);
    EXPECT_EQ(test.fs.readFile(file),
              "[File paths]\r\nstrWAVFilePath=C:\\Ansagen\\Bahnh\xF6"
              "fe\\\r\n");
    EXPECT_EQ(ini.ReadIni("FILE PATHS", "strwavfilepath", file),
              "C:\\Ansagen\\Bahnh\xC3\xB6"
              "fe\\");
}

TEST_F(Settings, saveIniThenOpenIni_readsBackThroughTheOtherSpellings) {
    form.Form_Load();
    form.CommTimeOut = 3000;
    form.Commport = 2;
    form.Bret = "57600";
    app.strLNGFilePath = "/opt/lng/";
    app.stroLNGFilePath = "/home/i/lng/";
    app.stroLNGFilePathType = true;
    app.strMSGFilePath = "/home/i/sets/";
    form.MessageFile = "hall.cfg";
    app.strWAVFilePath = "/home/i/wav/";
    ASSERT_TRUE(SettingsFile(form).SaveIni(file));
    auto text = test.fs.readFile(file).value();
    EXPECT_EQ(text.substr(0, 14), "[Com settings]");
    EXPECT_NE(text.find("Commport=2\r\n"), std::string::npos);
    EXPECT_NE(text.find("stroLNGFilePathType=True\r\n"), std::string::npos);
    EXPECT_EQ(text.find("LanguageFile"), std::string::npos);

    AppState app2;
    MDIKVT3310 mdi2;
    Form1 other{test.platform, app2, mdi2};
    other.Form_Load();
    ASSERT_TRUE(SettingsFile(other).OpenIni(file));
    EXPECT_EQ(other.CommTimeOut, 3000);
    EXPECT_EQ(other.Commport, 2);
    EXPECT_TRUE(mdi2.Com2.checked());
    EXPECT_FALSE(mdi2.Com1.checked());
    EXPECT_EQ(other.Bret, "57600");
    EXPECT_EQ(other.Sbit, "2");
    EXPECT_EQ(app2.strLNGFilePath, "/opt/lng/");
    EXPECT_EQ(app2.stroLNGFilePath, "/home/i/lng/");
    EXPECT_TRUE(app2.stroLNGFilePathType);
    EXPECT_EQ(app2.strMSGFilePath, "/home/i/sets/");
    EXPECT_EQ(other.MessageFile, "hall.cfg");
    EXPECT_EQ(app2.strWAVFilePath, "/home/i/wav/");
    EXPECT_EQ(other.LanguageFile, "en.lng");  // not written by SaveIni: the start value stays
    EXPECT_TRUE(test.msgBox.shown.empty());
}

TEST_F(Settings, saveIni_writesTheDeviceKeysOnlyWherePortsAreDeviceFiles) {
    form.Form_Load();
    form.Com1Device = "/dev/ttyUSB0";
    for (bool deviceFiles : {true, false}) {
        test.serial.deviceFiles = deviceFiles;
        ASSERT_TRUE(test.fs.remove(file) || !test.fs.exists(file));
        ASSERT_TRUE(SettingsFile(form).SaveIni(file));
        const auto text = test.fs.readFile(file).value();
        EXPECT_EQ(text.find("Com1Device=/dev/ttyUSB0\r\n") != std::string::npos, deviceFiles) << text;
        EXPECT_EQ(text.find("Com2Device=/dev/ttyS1\r\n") != std::string::npos, deviceFiles) << text;
        EXPECT_NE(text.find("Commport=1\r\n"), std::string::npos) << text;
    }
}

TEST_F(Settings, openIni_fileWithOnlyADeviceKey_keepsEveryStartValue) {
    form.Form_Load();
    const std::string programFolder = test.fs.programFolder() + "/";
    for (std::string* folder : {&app.strLNGFilePath, &app.stroLNGFilePath, &app.strMSGFilePath, &app.strWAVFilePath})
        *folder = programFolder;
    write("[Com settings]\r\nCom1Device=/dev/ttyUSB0\r\n");
    ASSERT_TRUE(SettingsFile(form).OpenIni(file));
    EXPECT_EQ(form.Com1Device, "/dev/ttyUSB0");
    EXPECT_EQ(form.CommTimeOut, 5000);
    EXPECT_EQ(form.Commport, 1);
    EXPECT_TRUE(mdi.Com1.checked());
    EXPECT_FALSE(mdi.Com2.checked());
    EXPECT_EQ(form.Bret + "," + form.Pchk + "," + form.Dbit + "," + form.Sbit, "115200,N,8,2");
    EXPECT_EQ(app.strLNGFilePath, programFolder);
    EXPECT_EQ(app.stroLNGFilePath, programFolder);
    EXPECT_EQ(app.strMSGFilePath, programFolder);
    EXPECT_EQ(app.strWAVFilePath, programFolder);
    EXPECT_FALSE(app.stroLNGFilePathType);
    EXPECT_EQ(form.LanguageFile, "en.lng");
    EXPECT_EQ(form.MessageFile, "MessageSetup.cfg");
    EXPECT_TRUE(test.msgBox.shown.empty());

    // The close writes the working state back, not a broken one.
    ASSERT_TRUE(SettingsFile(form).SaveIni(file));
    auto text = test.fs.readFile(file).value();
    for (const char* line : {"CommTimeOut=5000\r\n", "Commport=1\r\n", "BaudRate=115200\r\n", "Stopbits=2\r\n",
                             "MessageFile=MessageSetup.cfg\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_NE(text.find("strWAVFilePath=" + programFolder + "\r\n"), std::string::npos);
}

TEST_F(Settings, openIni_presentKeysAreReadAsWritten_emptyValuesCountAsMissing) {
    form.Form_Load();
    write("[Com settings]\r\nCommport=7\r\nBaudRate=\r\nParity=E\r\n[File paths]\r\nstroLNGFilePathType=-1\r\n");
    ASSERT_TRUE(SettingsFile(form).OpenIni(file));
    EXPECT_EQ(form.Commport, 7);
    EXPECT_TRUE(mdi.Com2.checked());
    EXPECT_EQ(form.Bret, "115200");
    EXPECT_EQ(form.Pchk, "E");
    EXPECT_TRUE(app.stroLNGFilePathType);
}

TEST_F(Settings, openIni_timeOutOfZeroOrLess_takesTheStartValue) {
    for (const char* value : {"0", "-1", "-32768", "0.4"}) {
        form.Form_Load();
        form.CommTimeOut = 1234;
        write(std::string("[Com settings]\r\nCommTimeOut=") + value + "\r\n");
        ASSERT_TRUE(SettingsFile(form).OpenIni(file)) << value;
        EXPECT_EQ(form.CommTimeOut, 5000) << value;
    }
    write("[Com settings]\r\nCommTimeOut=1\r\n");
    ASSERT_TRUE(SettingsFile(form).OpenIni(file));
    EXPECT_EQ(form.CommTimeOut, 1);
}

TEST_F(Settings, openIni_nonNumericValueFailsWithItsMessage_earlierAssignmentsStay) {
    form.Form_Load();
    write("[Com Settings]\r\nCommTimeOut=2500\r\nCommPort=one\r\nBaudRate=9600\r\n");
    EXPECT_FALSE(SettingsFile(form).OpenIni(file));
    EXPECT_EQ(form.CommTimeOut, 2500);
    EXPECT_EQ(form.Commport, 1);
    EXPECT_EQ(form.Bret, "115200");
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Initial file cannot be found!");
    EXPECT_EQ(test.msgBox.shown[0].flags, IMessageBox::vbQuestion);
    EXPECT_EQ(test.msgBox.beeps, 1);
}

TEST_F(Settings, saveIni_unwritableFile_reportsItWithThePath) {
    form.Form_Load();
    // A folder in the file's place cannot be replaced by a file, whoever runs the test.
    const std::string blocked = test.folder.file("blocked");
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(SettingsFile(form).SaveIni(blocked));
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Initial file cannot be found!\n\n" + blocked);
    EXPECT_EQ(test.msgBox.shown[0].flags, IMessageBox::vbQuestion);
    EXPECT_EQ(test.msgBox.beeps, 1);

    EXPECT_FALSE(SettingsFile(form).SaveIni(test.folder.file("no such folder/KVT3310.INI")));
    EXPECT_EQ(test.msgBox.shown.size(), 2u);
}

TEST(SettingsConversions, booleansAndNumbers) {
    EXPECT_EQ(SettingsFile::toBool(std::string("True")), true);
    EXPECT_EQ(SettingsFile::toBool(std::string("false")), false);
    EXPECT_EQ(SettingsFile::toBool(std::string("-1")), true);
    EXPECT_EQ(SettingsFile::toBool(std::nullopt), false);
    EXPECT_EQ(SettingsFile::toBool(std::string("yes")), std::nullopt);
    EXPECT_EQ(SettingsFile::toInt16(std::string(" 42 ")), 42);
    EXPECT_EQ(SettingsFile::toInt16(std::string("2.5")), 2);
    EXPECT_EQ(SettingsFile::toInt16(std::string("40000")), std::nullopt);
    EXPECT_EQ(SettingsFile::toInt16(std::string("12k")), std::nullopt);
}

}  // namespace

namespace {

/// The editor over a settings file in the code page given, through the program's own tables.
struct CodePageSettings : ::testing::Test {
    TestPlatform test;
    CodePageCodec codec{1252};
    Platform platform = test.platformWith(test.fs, codec);
    AppState app;
    MDIKVT3310 mdi;
    Form1 form{platform, app, mdi};
    std::string file = test.folder.file("KVT3310.INI");
};

TEST_F(CodePageSettings, folderTheCodePageCannotHold_failsTheSaveNamingItAndKeepsTheFile) {
    form.Form_Load();
    ASSERT_TRUE(test.fs.writeFileAtomic(file, "[File paths]\r\nstrMSGFilePath=/old/\r\n"));
    app.strWAVFilePath = "/zvuky/Jiří/";
    EXPECT_FALSE(SettingsFile(form).SaveIni(file));
    EXPECT_EQ(test.fs.readFile(file), "[File paths]\r\nstrMSGFilePath=/old/\r\n");
    ASSERT_EQ(test.msgBox.shown.size(), 1u);
    EXPECT_EQ(test.msgBox.shown[0].text, "Initial file cannot be found!\n/zvuky/Jiří/");
    EXPECT_EQ(test.msgBox.beeps, 1);

    IniProcedures ini(test.fs, codec);
    EXPECT_EQ(ini.WriteIni("File paths", "strWAVFilePath", std::string("/zvuky/Jiří/"), file), 0);
    ASSERT_TRUE(codec.setCodePage(1250));
    ASSERT_TRUE(SettingsFile(form).SaveIni(file));
    EXPECT_NE(test.fs.readFile(file)->find("\r\nstrWAVFilePath=/zvuky/Ji\xF8\xED/\r\n"), std::string::npos);
}

TEST_F(CodePageSettings, filesThatCannotBeSettings_areRefusedAfterReadingLittle) {
    CountingFileSystem counted(test.fs);
    IniProcedures ini(counted, codec);
    const std::vector<RepeatedFile> cases = {{"1,000,000 lines", "x\n", 1000000},
                                             {"one line of 50 MB", "xxxxxxxxxx", 5000000},
                                             {"one line of 40 KB", "xxxxxxxxxx", 4000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeRepeated(file, c.pattern, c.copies);
        counted.reset();
        EXPECT_FALSE(ini.load(file));
        EXPECT_EQ(ini.ReadIni("File paths", "x", file), std::nullopt);
        // Refused as unreadable, the file is never rewritten from a part of it.
        EXPECT_EQ(ini.WriteIni("File paths", "x", std::string("1"), file), 0);
        EXPECT_LT(counted.bytesRead(), 200000u);
    }
    EXPECT_EQ(std::filesystem::file_size(file), 40000u);

    // An empty file and one of 279 lines are settings files like any other.
    writeRepeated(file, "", 0);
    EXPECT_TRUE(ini.load(file));
    std::string lines = "[File paths]\r\n";
    for (int i = 1; i < 279; ++i)
        lines += "key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    writeRepeated(file, lines, 1);
    EXPECT_EQ(ini.ReadIni("File paths", "key278", file), "278");
}

}  // namespace
