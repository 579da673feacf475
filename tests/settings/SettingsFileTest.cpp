// The settings file: private-profile semantics, SaveIni and OpenIni on a Settings value, values the code page
// cannot hold, and files too large to be settings.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/CodePageCodec.h"
#include "settings/IniProcedures.h"
#include "settings/PrivateProfile.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
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

struct SettingsFileTest : ::testing::Test {
    TestPlatform test;
    IniProcedures ini{test.fs, test.codec};
    SettingsFile settingsFile{test.fs, test.codec, test.serial.portsAreDeviceFiles()};
    std::string file = test.folder.file("KVT3310.INI");

    void write(const std::string& content) { ASSERT_TRUE(test.fs.writeFileAtomic(file, content)); }
};

TEST_F(SettingsFileTest, readIni_cutsValuesTo254Characters) {
    write("[File paths]\r\nstrMSGFilePath=" + std::string(300, 'x') + "\r\n");
    EXPECT_EQ(ini.ReadIni("File paths", "strMSGFilePath", file), std::string(254, 'x'));
    EXPECT_EQ(ini.ReadIni("File paths", "missing", file), std::nullopt);
    EXPECT_EQ(ini.ReadIni("File paths", "x", test.folder.file("none.ini")), std::nullopt);
}

TEST_F(SettingsFileTest, writeIni_createsTheFileWithCrLfAndEightBitText) {
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

TEST_F(SettingsFileTest, saveIniThenOpenIni_readsBackThroughTheOtherSpellings) {
    Settings settings;
    settings.CommTimeOut = 3000;
    settings.Commport = 2;
    settings.Bret = "57600";
    settings.strLNGFilePath = "/opt/lng/";
    settings.stroLNGFilePath = "/home/i/lng/";
    settings.stroLNGFilePathType = true;
    settings.strMSGFilePath = "/home/i/sets/";
    settings.MessageFile = "hall.cfg";
    settings.strWAVFilePath = "/home/i/wav/";
    settings.LanguageFile = "de.lng";
    ASSERT_EQ(settingsFile.SaveIni(file, settings), SettingsFile::SaveResult::Saved);
    auto text = test.fs.readFile(file).value();
    EXPECT_EQ(text.substr(0, 14), "[Com settings]");
    EXPECT_NE(text.find("Commport=2\r\n"), std::string::npos);
    EXPECT_NE(text.find("stroLNGFilePathType=True\r\n"), std::string::npos);
    EXPECT_EQ(text.find("LanguageFile"), std::string::npos);

    Settings other;
    ASSERT_EQ(settingsFile.OpenIni(file, other), SettingsFile::OpenResult::Read);
    EXPECT_EQ(other.LanguageFile, "en.lng");  // not written by SaveIni: the start value stays
    other.LanguageFile = settings.LanguageFile;
    EXPECT_EQ(other, settings);
}

TEST_F(SettingsFileTest, saveIni_writesTheDeviceKeysOnlyWherePortsAreDeviceFiles) {
    Settings settings;
    settings.Com1Device = "/dev/ttyUSB0";
    for (bool deviceFiles : {true, false}) {
        ASSERT_TRUE(test.fs.remove(file) || !test.fs.exists(file));
        ASSERT_EQ(SettingsFile(test.fs, test.codec, deviceFiles).SaveIni(file, settings),
                  SettingsFile::SaveResult::Saved);
        const auto text = test.fs.readFile(file).value();
        EXPECT_EQ(text.find("Com1Device=/dev/ttyUSB0\r\n") != std::string::npos, deviceFiles) << text;
        EXPECT_EQ(text.find("Com2Device=/dev/ttyS1\r\n") != std::string::npos, deviceFiles) << text;
        EXPECT_NE(text.find("Commport=1\r\n"), std::string::npos) << text;
    }
}

TEST_F(SettingsFileTest, openIni_fileWithOnlyADeviceKey_keepsEveryStartValue) {
    Settings settings;
    const std::string programFolder = test.fs.programFolder() + "/";
    for (std::string* folder :
         {&settings.strLNGFilePath, &settings.stroLNGFilePath, &settings.strMSGFilePath, &settings.strWAVFilePath})
        *folder = programFolder;
    Settings expected = settings;
    expected.Com1Device = "/dev/ttyUSB0";
    write("[Com settings]\r\nCom1Device=/dev/ttyUSB0\r\n");
    ASSERT_EQ(settingsFile.OpenIni(file, settings), SettingsFile::OpenResult::Read);
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(settings.CommTimeOut, 5000);
    EXPECT_EQ(settings.Commport, 1);
    EXPECT_EQ(settings.Bret + "," + settings.Pchk + "," + settings.Dbit + "," + settings.Sbit, "115200,N,8,2");
    EXPECT_EQ(settings.LanguageFile, "en.lng");
    EXPECT_EQ(settings.MessageFile, "MessageSetup.cfg");

    // The close writes the working state back, not a broken one.
    ASSERT_EQ(settingsFile.SaveIni(file, settings), SettingsFile::SaveResult::Saved);
    auto text = test.fs.readFile(file).value();
    for (const char* line : {"CommTimeOut=5000\r\n", "Commport=1\r\n", "BaudRate=115200\r\n", "Stopbits=2\r\n",
                             "MessageFile=MessageSetup.cfg\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_NE(text.find("strWAVFilePath=" + programFolder + "\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, openIni_presentKeysAreReadAsWritten_emptyValuesCountAsMissing) {
    Settings settings;
    write("[Com settings]\r\nCommport=7\r\nBaudRate=\r\nParity=E\r\n[File paths]\r\nstroLNGFilePathType=-1\r\n");
    ASSERT_EQ(settingsFile.OpenIni(file, settings), SettingsFile::OpenResult::Read);
    EXPECT_EQ(settings.Commport, 7);
    EXPECT_EQ(settings.Bret, "115200");
    EXPECT_EQ(settings.Pchk, "E");
    EXPECT_TRUE(settings.stroLNGFilePathType);
}

TEST_F(SettingsFileTest, openIni_timeOutOfZeroOrLess_takesTheStartValue) {
    for (const char* value : {"0", "-1", "-32768", "0.4"}) {
        Settings settings;
        settings.CommTimeOut = 1234;
        write(std::string("[Com settings]\r\nCommTimeOut=") + value + "\r\n");
        ASSERT_EQ(settingsFile.OpenIni(file, settings), SettingsFile::OpenResult::Read) << value;
        EXPECT_EQ(settings.CommTimeOut, 5000) << value;
    }
    Settings settings;
    write("[Com settings]\r\nCommTimeOut=1\r\n");
    ASSERT_EQ(settingsFile.OpenIni(file, settings), SettingsFile::OpenResult::Read);
    EXPECT_EQ(settings.CommTimeOut, 1);
}

TEST_F(SettingsFileTest, openIni_nonNumericValueFails_earlierAssignmentsStay) {
    Settings settings;
    write("[Com Settings]\r\nCommTimeOut=2500\r\nCommPort=one\r\nBaudRate=9600\r\n");
    EXPECT_EQ(settingsFile.OpenIni(file, settings), SettingsFile::OpenResult::BadPort);
    EXPECT_EQ(settings.CommTimeOut, 2500);
    EXPECT_EQ(settings.Commport, 1);
    EXPECT_EQ(settings.Bret, "115200");
}

TEST_F(SettingsFileTest, saveIni_fileThatCannotBeWritten_failsAndSaysSo) {
    EXPECT_EQ(settingsFile.SaveIni(test.folder.file("no such folder/KVT3310.INI"), Settings{}),
              SettingsFile::SaveResult::NotStored);
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

/// A settings file in the code page given, through the program's own tables.
struct CodePageSettings : ::testing::Test {
    TestPlatform test;
    CodePageCodec codec{1252};
    std::string file = test.folder.file("KVT3310.INI");
};

TEST_F(CodePageSettings, folderTheCodePageCannotHold_failsTheSaveNamingItAndKeepsTheFile) {
    SettingsFile settingsFile(test.fs, codec, true);
    Settings settings;
    ASSERT_TRUE(test.fs.writeFileAtomic(file, "[File paths]\r\nstrMSGFilePath=/old/\r\n"));
    settings.strWAVFilePath = "/zvuky/Jiří/";
    EXPECT_EQ(settingsFile.SaveIni(file, settings), SettingsFile::SaveResult::Unwritable);
    EXPECT_EQ(test.fs.readFile(file), "[File paths]\r\nstrMSGFilePath=/old/\r\n");
    EXPECT_EQ(settingsFile.unwritable(), "/zvuky/Jiří/");

    IniProcedures ini(test.fs, codec);
    EXPECT_EQ(ini.WriteIni("File paths", "strWAVFilePath", std::string("/zvuky/Jiří/"), file), 0);
    ASSERT_TRUE(codec.setCodePage(1250));
    ASSERT_EQ(settingsFile.SaveIni(file, settings), SettingsFile::SaveResult::Saved);
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
