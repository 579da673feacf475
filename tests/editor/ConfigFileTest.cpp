// The configuration file: its 280 lines byte for byte, the round trip, code pages, line ends, atomic saves,
// failures and files that cannot be valid.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "editor/ConfigFile.h"
#include "editor/Editor.h"
#include "editor/SampleSet.h"
#include "settings/CodePageCodec.h"
#include "support/CountingFileSystem.h"

namespace {

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string n(int i) {
    return std::to_string(i);
}

/// Line numbers (from 1) in the file: Check1(k) is line kCheck1Line + k.
constexpr int kCheck1Line = 205;

/// The file of a fresh editor, from the line table: only the first Browse button and step 1 of every trigger
/// enabled, empty captions, zero sizes.
std::vector<std::string> freshLines() {
    std::vector<std::string> l;
    for (int i = 1; i <= 12; ++i)
        l.push_back("MsgBt(" + n(i) + ") =False");
    for (int i = 1; i <= 12; ++i) {
        l.push_back("WaveFile(" + n(i) + ")=");
        l.push_back("FilePath(" + n(i) + ")=");
    }
    for (int i = 1; i <= 12; ++i)
        l.push_back("Bt_Browse(" + n(i) + ")=" + (i == 1 ? "True" : "False"));
    for (int i = 1; i <= 12; ++i)
        l.push_back("MsgTime(" + n(i) + ")=");
    for (int i = 1; i <= 12; ++i)
        l.push_back("TMsgSize(" + n(i) + ")=0");
    for (int i = 1; i <= 12; ++i)
        l.push_back("MsgSample(" + n(i) + ")=");
    for (int i = 1; i <= 12; ++i)
        l.push_back("TrgBt(" + n(i) + ")=False");
    l.push_back("TRG1(13)_ListCount=0");
    for (int j = 1; j <= 48; ++j) {
        l.push_back("TRG1(" + n(j) + ")_Enabled=" + (j % 4 == 1 ? "True" : "False"));
        l.push_back("TRG1(" + n(j) + ")_Text=");
    }
    for (int i = 1; i <= 12; ++i)
        l.push_back("TrgTime(" + n(i) + ")=");
    for (int k = 1; k <= 72; ++k)
        l.push_back("Check1(" + n(k) + ")=0");
    l.push_back("TotalTime=");
    l.push_back("TotalSize=");
    l.push_back("TFileLength=0");
    return l;
}

/// The file of the sample set, line by line.
std::vector<std::string> sampleLines() {
    std::vector<std::string> l;
    for (int i = 1; i <= 12; ++i)
        l.push_back("MsgBt(" + n(i) + ") =" + (i <= 10 ? "True" : "False"));
    const std::vector<std::string> names = {"bell", "chime", "gong", "m4",      "m5", "m6",
                                            "m7",   "m8",    "m9",   kLongName, "",   ""};
    const std::vector<std::string> paths = {"/sets/bell.day.wav",
                                            "/sets/chime.wav",
                                            "C:\\a=b\\x.wav",
                                            "/sets/m4.wav",
                                            "/sets/m5.wav",
                                            "/sets/m6.wav",
                                            "/sets/m7.wav",
                                            "/sets/m8.wav",
                                            "/sets/m9.wav",
                                            "/sets/long name;'q'.wav",
                                            "",
                                            ""};
    for (int i = 1; i <= 12; ++i) {
        l.push_back("WaveFile(" + n(i) + ")=" + names[i - 1]);
        l.push_back("FilePath(" + n(i) + ")=" + paths[i - 1]);
    }
    for (int i = 1; i <= 12; ++i)
        l.push_back("Bt_Browse(" + n(i) + ")=" + (i <= 11 ? "True" : "False"));
    const std::vector<std::string> times = {"1.00", "0.25", "2.50", "0.50",     "0.50", "0.50",
                                            "0.50", "0.50", "0.50", "12345.67", "",     ""};
    for (int i = 1; i <= 12; ++i)
        l.push_back("MsgTime(" + n(i) + ")=" + times[i - 1]);
    const std::vector<std::string> sizes = {"32200", "35350", "8050", "3500", "3500", "3500",
                                            "3500",  "3500",  "3500", "700",  "0",    "0"};
    for (int i = 1; i <= 12; ++i)
        l.push_back("TMsgSize(" + n(i) + ")=" + sizes[i - 1]);
    const std::vector<std::string> rates = {"8.000",  "22.050", "16.000", "16.000", "16.000", "16.000",
                                            "16.000", "16.000", "16.000", "24.000", "",       ""};
    for (int i = 1; i <= 12; ++i)
        l.push_back("MsgSample(" + n(i) + ")=" + rates[i - 1]);
    for (int i = 1; i <= 12; ++i)
        l.push_back("TrgBt(" + n(i) + ")=" + (i == 1 || i == 2 || i == 5 ? "True" : "False"));
    l.push_back("TRG1(13)_ListCount=11");
    std::vector<std::string> texts(49, "");
    std::vector<bool> enabled(49, false);
    for (int t = 1; t <= 12; ++t)
        enabled[4 * (t - 1) + 1] = true;
    const char* t1[] = {"1", "3", " ", " "};
    const char* t2[] = {"10", "10", "10", "10"};
    const char* t3[] = {" ", " ", " ", " "};
    const char* t5[] = {"1234567890", "2 ", " ", ""};
    for (int k = 0; k < 4; ++k) {
        texts[1 + k] = t1[k];
        texts[5 + k] = t2[k];
        texts[9 + k] = t3[k];
        texts[17 + k] = t5[k];
    }
    enabled[2] = enabled[3] = true;
    enabled[6] = enabled[7] = enabled[8] = true;
    enabled[18] = enabled[19] = true;
    for (int j = 1; j <= 48; ++j) {
        l.push_back("TRG1(" + n(j) + ")_Enabled=" + (enabled[j] ? "True" : "False"));
        l.push_back("TRG1(" + n(j) + ")_Text=" + texts[j]);
    }
    const std::vector<std::string> trgTimes = {"3.50", "49382.68", "0.00", "", "1.00", "", "", "", "", "", "", ""};
    for (int i = 1; i <= 12; ++i)
        l.push_back("TrgTime(" + n(i) + ")=" + trgTimes[i - 1]);
    for (int k = 1; k <= 72; ++k) {
        bool on = k <= 6 || k == 7 || k == 9 || k == 12 || k == 72;
        l.push_back("Check1(" + n(k) + ")=" + (on ? "1" : "0"));
    }
    l.push_back("TotalTime=1234567.89");
    l.push_back("TotalSize=98");
    l.push_back("TFileLength=97300");  // 32200 + 35350 + 8050 + 6 x 3500 + 700
    return l;
}

/// Everything the file restores, as one text, to compare editors.
std::string snapshot(Form1& f) {
    std::string s;
    for (int i = 1; i <= 12; ++i) {
        s += f.WaveFile[i].text() + "|" + f.FilePath[i] + "|" + f.MsgTime[i].caption() + "|" + f.MsgSize[i].caption() +
             "|" + n(f.TMsgSize[i]) + "|" + f.MsgSample[i].caption() + "|" + n(f.MsgBt[i].enabled()) +
             n(f.Bt_Browse[i].enabled()) + n(f.TrgBt[i].enabled()) + "|" + f.TrgTime[i].caption() + "\n";
    }
    for (int j = 1; j <= 48; ++j) {
        s += n(j) + ":" + f.TRG1[j].text() + "|" + n(f.TRG1[j].enabled()) + "|";
        for (const auto& e : f.TRG1[j].list())
            s += e + ",";
        s += "\n";
    }
    for (int k = 1; k <= 72; ++k)
        s += n(f.Check1[k].value());
    s += "\n" + f.TotalTime.caption() + "|" + f.TotalSize.caption() + "|" + n(f.TFileLength);
    return s;
}

/// The system's words for a failure, as the platform's file system gives them.
std::string reason(std::errc error) {
    return std::make_error_code(error).message();
}

std::string openFailure(const std::string& path, const std::string& why = {}) {
    return "Configuration file cannot be found!\n\n" + path + (why.empty() ? "" : "\n" + why);
}

std::string saveFailure(const std::string& path, const std::string& why) {
    return "The configuration file could not be saved:\n\n" + path + "\n" + why;
}

void expectConfigMessage(const LoadedEditor& e, const std::string& text) {
    ASSERT_EQ(e.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(e.test.msgBox.shown[0].text, text);
    EXPECT_EQ(e.test.msgBox.shown[0].flags, IMessageBox::vbOKOnly | IMessageBox::vbQuestion);
    EXPECT_EQ(e.test.msgBox.shown[0].title, e.form.Caption);
    EXPECT_EQ(e.test.msgBox.beeps, 1);
}

std::vector<std::string> withoutLastLine(std::vector<std::string> lines) {
    lines.pop_back();
    return lines;
}

class ConfigFileTest : public ::testing::Test {
protected:
    /// Opens a file made of `lines` in a fresh editor.
    bool openLines(LoadedEditor& e, const std::vector<std::string>& lines) {
        std::string path = e.test.folder.file("in.cfg");
        writeBytes(path, joinCrLf(lines));
        return e.editor.config().OpenConfig(path);
    }
    /// The sample file with one line replaced (lines count from 1).
    static std::vector<std::string> sampleWith(int line, const std::string& text) {
        auto lines = sampleLines();
        lines[line - 1] = text;
        return lines;
    }
};

TEST_F(ConfigFileTest, freshEditor_writesTheStartStateByteForByte) {
    LoadedEditor e;
    std::string path = e.test.folder.file("MessageSetup.cfg");
    ASSERT_TRUE(e.editor.config().SaveConfig(path));
    EXPECT_EQ(readBytes(path), joinCrLf(freshLines()));
    EXPECT_EQ(freshLines().size(), 280u);
}

TEST_F(ConfigFileTest, filledSet_writesEveryLineByteForByteAndCountsTheSizes) {
    LoadedEditor e;
    fillSampleSet(e.form);
    std::string path = e.test.folder.file("hall.cfg");
    ASSERT_TRUE(e.editor.config().SaveConfig(path));
    EXPECT_EQ(readBytes(path), joinCrLf(sampleLines()));
    EXPECT_EQ(e.form.TFileLength, 97300);
    EXPECT_TRUE(e.test.msgBox.shown.empty());
}

TEST_F(ConfigFileTest, savedSet_opensToTheSameStateAndSavesByteIdentical) {
    LoadedEditor a;
    fillSampleSet(a.form);
    std::string first = a.test.folder.file("first.cfg");
    ASSERT_TRUE(a.editor.config().SaveConfig(first));

    LoadedEditor b;
    ASSERT_TRUE(b.editor.config().OpenConfig(first));
    EXPECT_TRUE(b.form.MsgUnchanged);
    // The size captions are recomputed from the stored sizes, so the empty slots show "0".
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(b.form.MsgSize[i].caption(), n(b.form.TMsgSize[i] / 1000)) << i;
    a.form.MsgSize[11].setCaption("0");
    a.form.MsgSize[12].setCaption("0");
    EXPECT_EQ(snapshot(b.form), snapshot(a.form));

    std::string second = b.test.folder.file("second.cfg");
    ASSERT_TRUE(b.editor.config().SaveConfig(second));
    EXPECT_EQ(readBytes(second), readBytes(first));
    EXPECT_TRUE(b.test.msgBox.shown.empty());
}

TEST_F(ConfigFileTest, smallSetOpenedOverALargerOne_replacesEverything) {
    LoadedEditor small;
    small.form.FilePath[1] = "/sets/solo.wav";
    small.form.WaveFile[1].setText("solo");
    small.form.MsgBt[1].setEnabled(true);
    small.form.Bt_Browse[2].setEnabled(true);
    small.form.MsgTime[1].setCaption("0.50");
    small.form.TMsgSize[1] = 3500;
    small.form.TRG1[1].addItem(" ");
    small.form.TRG1[1].addItem("1");
    small.form.TRG1[1].setText("1");
    std::string path = small.test.folder.file("small.cfg");
    ASSERT_TRUE(small.editor.config().SaveConfig(path));

    // Emptying slot 2's name empties the later slots on the way; the later lines fill them in again.
    LoadedEditor big;
    fillSampleSet(big.form);
    ASSERT_TRUE(big.editor.config().OpenConfig(path));
    EXPECT_EQ(big.form.WaveFile[10].text(), "");
    EXPECT_EQ(big.form.FilePath[10], "");
    std::string again = big.test.folder.file("again.cfg");
    ASSERT_TRUE(big.editor.config().SaveConfig(again));
    EXPECT_EQ(readBytes(again), readBytes(path));
}

TEST_F(ConfigFileTest, fileInTheCodePage_isConvertedBothWays) {
    LoadedEditor a;
    a.form.WaveFile[1].setText("Durchsage \xc3\xa4");  // "ä" in UTF-8
    std::string path = a.test.folder.file("cp.cfg");
    ASSERT_TRUE(a.editor.config().SaveConfig(path));
    EXPECT_NE(readBytes(path).find("WaveFile(1)=Durchsage \xe4\r\n"), std::string::npos);
    LoadedEditor b;
    ASSERT_TRUE(b.editor.config().OpenConfig(path));
    EXPECT_EQ(b.form.WaveFile[1].text(), "Durchsage \xc3\xa4");
}

TEST_F(ConfigFileTest, tooFewLinesOrBadValues_failWithoutChangingAnything) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"279 lines", withoutLastLine(sampleLines())},
        {"Boolean yes", sampleWith(1, "MsgBt(1) =yes")},
        {"empty Boolean", sampleWith(37, "Bt_Browse(1)=")},
        {"list length abc", sampleWith(97, "TRG1(13)_ListCount=abc")},
        {"list length 14", sampleWith(97, "TRG1(13)_ListCount=14")},
        {"zone abc", sampleWith(kCheck1Line + 1, "Check1(1)=abc")},
        {"zone 2", sampleWith(kCheck1Line + 72, "Check1(72)=2")},
        {"zone 1.5 rounds to 2", sampleWith(kCheck1Line + 5, "Check1(5)=1.5")},
        {"TFileLength overflows", sampleWith(280, "TFileLength=2147483648")},
        {"TMsgSize overflows", sampleWith(61, "TMsgSize(1)=99999999999")},
        {"negative TMsgSize", sampleWith(62, "TMsgSize(2)=-350")},
        {"TFileLength beyond the memory", sampleWith(280, "TFileLength=8380001")},
        {"negative TFileLength", sampleWith(280, "TFileLength=-1")},
    };
    for (const auto& [name, lines] : cases) {
        SCOPED_TRACE(name);
        LoadedEditor e;
        e.form.WaveFile[1].setText("kept");
        e.app.blnChanged = false;
        std::string before = snapshot(e.form);
        EXPECT_FALSE(openLines(e, lines));
        EXPECT_EQ(snapshot(e.form), before);
        EXPECT_FALSE(e.form.MsgUnchanged);
        EXPECT_FALSE(e.app.blnChanged);
        expectConfigMessage(e, openFailure(e.test.folder.file("in.cfg")));
    }
}

TEST_F(ConfigFileTest, sizesSummingBeyondTheMemory_failWithoutChangingAnything) {
    // Each below 2^31, together far beyond it; and a sum just one step of 350 bytes over the memory.
    auto huge = sampleWith(61, "TMsgSize(1)=2000000000");
    huge[61] = "TMsgSize(2)=2000000000";
    auto justOver = sampleWith(61, "TMsgSize(1)=" + n(8380000 - 97300 + 32200 + 350));
    for (const auto& lines : {huge, justOver}) {
        LoadedEditor e;
        std::string before = snapshot(e.form);
        EXPECT_FALSE(openLines(e, lines));
        EXPECT_EQ(snapshot(e.form), before);
        expectConfigMessage(e, openFailure(e.test.folder.file("in.cfg")));
    }
}

TEST_F(ConfigFileTest, sizesFillingTheMemoryExactly_loadAndKeepTheirTotals) {
    LoadedEditor e;
    auto lines = sampleWith(61, "TMsgSize(1)=" + n(8380000 - 97300 + 32200));
    lines[279] = "TFileLength=8380000";
    ASSERT_TRUE(openLines(e, lines));
    EXPECT_EQ(e.form.TFileLength, 8380000);
    e.form.RecalcTotals();
    EXPECT_EQ(e.form.TFileLength, 8380000 - 700);  // the slot of 700 bytes shows 0 kB and is not counted
}

TEST_F(ConfigFileTest, missingFile_failsWithTheConfigurationMessage) {
    LoadedEditor e;
    EXPECT_FALSE(e.editor.config().OpenConfig(e.test.folder.file("none.cfg")));
    expectConfigMessage(e, openFailure(e.test.folder.file("none.cfg"), reason(std::errc::no_such_file_or_directory)));
}

TEST_F(ConfigFileTest, extraLinesAndAnyKeys_loadByPosition) {
    LoadedEditor e;
    auto lines = sampleLines();
    for (auto& line : lines)
        line = "K" + line.substr(line.find('='));
    lines[12] = "gong-without-equals";  // WaveFile(1): the whole line is the value
    lines.push_back("Extra=line");
    lines.push_back("another");
    ASSERT_TRUE(openLines(e, lines));
    EXPECT_EQ(e.form.WaveFile[1].text(), "gong-without-equals");
    EXPECT_EQ(e.form.FilePath[3], "C:\\a=b\\x.wav");
    EXPECT_EQ(e.form.WaveFile[10].text(), kLongName);
    EXPECT_EQ(e.form.TFileLength, 97300);
    EXPECT_EQ(e.form.Check1[72].value(), 1);
}

TEST_F(ConfigFileTest, booleanValues_takeAnyLetterCaseAndNumbers) {
    for (const std::string value : {"true", "TRUE", "-1", "1", "0.5"}) {
        LoadedEditor e;
        ASSERT_TRUE(openLines(e, sampleWith(11, "MsgBt(11) =" + value))) << value;
        EXPECT_TRUE(e.form.MsgBt[11].enabled()) << value;
    }
    for (const std::string value : {"false", "FaLsE", "0"}) {
        LoadedEditor e;
        ASSERT_TRUE(openLines(e, sampleWith(1, "MsgBt(1) =" + value))) << value;
        EXPECT_FALSE(e.form.MsgBt[1].enabled()) << value;
    }
}

TEST_F(ConfigFileTest, sizeValue_takesTheLeadingNumberRoundedHalfToEven) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"12k", 12}, {"abc", 0}, {"", 0}, {"2500.5", 2500}, {"3500.5", 3500}, {"1001.5", 1002}, {" 42", 42}};
    for (const auto& [value, expected] : cases) {
        LoadedEditor e;
        ASSERT_TRUE(openLines(e, sampleWith(61, "TMsgSize(1)=" + value))) << value;
        EXPECT_EQ(e.form.TMsgSize[1], expected) << value;
        EXPECT_EQ(e.form.MsgSize[1].caption(), n(expected / 1000)) << value;
    }
}

TEST_F(ConfigFileTest, listLength_rebuildsEveryStepListAndKeepsTheTexts) {
    LoadedEditor e;
    ASSERT_TRUE(openLines(e, sampleWith(97, "TRG1(13)_ListCount=4")));
    const std::vector<std::string> expected = {" ", "1", "2", "3"};
    for (int j = 1; j <= 48; ++j)
        EXPECT_EQ(e.form.TRG1[j].list(), expected) << j;
    EXPECT_EQ(e.form.TRG1[5].text(), "10");  // not in the list, kept as read
    EXPECT_EQ(e.form.TRG1[9].text(), " ");   // the one blank is neither trimmed on writing nor on reading

    LoadedEditor none;
    ASSERT_TRUE(openLines(none, sampleWith(97, "TRG1(13)_ListCount=-3")));
    for (int j = 1; j <= 48; ++j)
        EXPECT_TRUE(none.form.TRG1[j].list().empty()) << j;
}

TEST_F(ConfigFileTest, failedSave_leavesTheOldFileIntact) {
    LoadedEditor e;
    fillSampleSet(e.form);

    const std::string inMissingFolder = e.test.folder.file("missing") + kSeparator + "x.cfg";
    EXPECT_FALSE(e.editor.config().SaveConfig(inMissingFolder));
    expectConfigMessage(e, saveFailure(inMissingFolder, reason(std::errc::no_such_file_or_directory)));

    std::string readOnly = e.test.folder.file("locked.cfg");
    writeBytes(readOnly, "old content\r\n");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    LoadedEditor f;
    EXPECT_FALSE(f.editor.config().SaveConfig(readOnly));
    EXPECT_EQ(readBytes(readOnly), "old content\r\n");
    expectConfigMessage(f, saveFailure(readOnly, reason(std::errc::permission_denied)));

    LoadedEditor g;
    const std::string folder = g.test.folder.file("sets.cfg");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(g.editor.config().SaveConfig(folder));
    expectConfigMessage(g, saveFailure(folder, reason(std::errc::is_a_directory)));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(ConfigFileTest, lineBreakInAValue_refusesToWriteAShiftedFile) {
    LoadedEditor e;
    std::string path = e.test.folder.file("set.cfg");
    writeBytes(path, "old\r\n");
    e.form.FilePath[1] = "/sets/odd\nname.wav";
    EXPECT_FALSE(e.editor.config().SaveConfig(path));
    EXPECT_EQ(readBytes(path), "old\r\n");
    expectConfigMessage(e, saveFailure(path, "/sets/odd\nname.wav"));
}

/// An editor whose files are in the code page given, through the program's own tables.
struct CodePageEditor {
    TestPlatform test;
    CodePageCodec codec;
    Platform platform = test.platformWith(test.fs, codec);
    AppState app;
    Editor editor{platform, app};
    Form1& form = editor.form();
    explicit CodePageEditor(int codePage) : codec(codePage) { form.Form_Load(); }
};

TEST_F(ConfigFileTest, czechPath_writtenExactlyUnder1250_refusedUnder1252WithThePreviousFileIntact) {
    const std::string path = "C:\\Zvuky\\Jiří\\hlášení.wav";
    CodePageEditor czech(1250);
    czech.form.WaveFile[1].setText("hlášení");
    czech.form.FilePath[1] = path;
    const std::string file = czech.test.folder.file("set.cfg");
    ASSERT_TRUE(czech.editor.config().SaveConfig(file));
    // ř 0xF8, í 0xED, á 0xE1, š 0x9A in code page 1250.
    const std::string bytes = readBytes(file);
    EXPECT_NE(bytes.find("\r\nWaveFile(1)=hl\xE1\x9A"
                         "en\xED\r\nFilePath(1)=C:\\Zvuky\\Ji\xF8\xED\\hl\xE1\x9A"
                         "en\xED.wav\r\n"),
              std::string::npos);
    CodePageEditor reopened(1250);
    ASSERT_TRUE(reopened.editor.config().OpenConfig(file));
    EXPECT_EQ(reopened.form.FilePath[1], path);
    EXPECT_EQ(reopened.form.WaveFile[1].text(), "hlášení");

    CodePageEditor western(1252);
    western.form.WaveFile[1].setText("hlášení");
    western.form.FilePath[1] = path;
    EXPECT_FALSE(western.editor.config().SaveConfig(file));
    EXPECT_EQ(readBytes(file), bytes);
    ASSERT_EQ(western.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(western.test.msgBox.shown[0].text, saveFailure(file, path));
    EXPECT_EQ(western.test.msgBox.beeps, 1);
}

TEST_F(ConfigFileTest, lineEnds_crLfLfAndLoneCrAllLoadTheSameSet) {
    LoadedEditor crLf;
    ASSERT_TRUE(openLines(crLf, sampleLines()));
    for (const char* end : {"\n", "\r"}) {
        LoadedEditor e;
        std::string text;
        for (const auto& line : sampleLines())
            text += line + end;
        const std::string path = e.test.folder.file("ends.cfg");
        writeBytes(path, text);
        ASSERT_TRUE(e.editor.config().OpenConfig(path)) << (end[0] == '\r' ? "CR" : "LF");
        EXPECT_EQ(snapshot(e.form), snapshot(crLf.form));
    }
}

TEST_F(ConfigFileTest, carriageReturnInsideALine_whatOpensSavesAgain) {
    std::string crCrLf;
    for (const auto& line : sampleLines())
        crCrLf += line + "\r\r\n";
    auto loneCr = sampleLines();
    loneCr[12] = "WaveFile(1)=bell\rday";
    auto trailingCr = sampleLines();
    trailingCr[13] = "FilePath(1)=/sets/bell.day.wav\r";
    std::vector<std::pair<std::string, std::string>> files = {
        {"CR CR LF", crCrLf}, {"lone CR in a name", joinCrLf(loneCr)}, {"CR before CR LF", joinCrLf(trailingCr)}};
    for (const auto& [name, text] : files) {
        SCOPED_TRACE(name);
        LoadedEditor e;
        const std::string path = e.test.folder.file("cr.cfg");
        writeBytes(path, text);
        if (e.editor.config().OpenConfig(path)) {
            EXPECT_TRUE(e.editor.config().SaveConfig(e.test.folder.file("again.cfg")));
        } else {
            expectConfigMessage(e, openFailure(path));
        }
    }
    // Every other line of a CR CR LF file is empty, where the file needs a Boolean.
    LoadedEditor e;
    writeBytes(e.test.folder.file("crcrlf.cfg"), crCrLf);
    EXPECT_FALSE(e.editor.config().OpenConfig(e.test.folder.file("crcrlf.cfg")));
}

TEST_F(ConfigFileTest, filesThatCannotBeValid_areRefusedAfterReadingLittle) {
    LoadedEditor e;
    CountingFileSystem counted(e.test.fs);
    Platform platform = e.test.platformWith(counted, e.test.codec);
    AppState app;
    Editor editor{platform, app};
    Form1& form = editor.form();
    form.Form_Load();
    const std::string path = e.test.folder.file("big.cfg");
    const std::vector<RepeatedFile> cases = {{"0 bytes", "", 0},
                                             {"279 lines", joinCrLf(withoutLastLine(sampleLines())), 1},
                                             {"1,000,000 lines", "x\r\n", 1000000},
                                             {"one line of 50 MB", "xxxxxxxxxx", 5000000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeRepeated(path, c.pattern, c.copies);
        counted.reset();
        e.test.msgBox.shown.clear();
        EXPECT_FALSE(editor.config().OpenConfig(path));
        EXPECT_LT(counted.bytesRead(), 200000u);
        EXPECT_EQ(e.test.msgBox.shown.size(), 1u);
    }
    // A valid set followed by a million lines loads: lines after the 280th are never read.
    writeRepeated(path, joinCrLf(sampleLines()), 1);
    std::ofstream(path, std::ios::binary | std::ios::app) << std::string(1000000, '\n');
    counted.reset();
    EXPECT_TRUE(editor.config().OpenConfig(path));
    EXPECT_LT(counted.bytesRead(), 200000u);
    EXPECT_EQ(form.FilePath[3], "C:\\a=b\\x.wav");
}

TEST_F(ConfigFileTest, lineLongerThanAnyPath_isNeitherWrittenNorRead) {
    LoadedEditor e;
    const std::string path = e.test.folder.file("long.cfg");
    writeBytes(path, "old\r\n");
    e.form.FilePath[1] = "/" + std::string(ConfigFile::kMaxLineLength, 'p');
    EXPECT_FALSE(e.editor.config().SaveConfig(path));
    EXPECT_EQ(readBytes(path), "old\r\n");
    e.form.FilePath[1] = "/" + std::string(32767, 'p');
    ASSERT_TRUE(e.editor.config().SaveConfig(path));
    LoadedEditor back;
    ASSERT_TRUE(back.editor.config().OpenConfig(path));
    EXPECT_EQ(back.form.FilePath[1], e.form.FilePath[1]);
    EXPECT_FALSE(openLines(back, sampleWith(14, "FilePath(1)=/" + std::string(ConfigFile::kMaxLineLength, 'p'))));
}

}  // namespace
