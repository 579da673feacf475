// The text printout: its 17 lines byte for byte, with the column padding and width limits worked out by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/SampleSet.h"
#include "editor/TextPrintout.h"

namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string b(int count) {
    return std::string(count, ' ');
}

/// Headings as the English language shows them; set here so the test does not depend on the language.
void setHeadings(Form1& f) {
    f.Frame1[0].setCaption("Message");
    f.Frame1[1].setCaption("Trigger");
    f.Lb_Message_File.setCaption("File");
    f.Lb_Message_Time[0].setCaption("Time");
    f.Lb_Message_Time[1].setCaption("[s]");
    f.Lb_Message_Size[0].setCaption("Size");
    f.Lb_Message_Size[1].setCaption("[kB]");
    f.Lb_Message_Sample[0].setCaption("Sample rate");
    f.Lb_Message_Sample[1].setCaption("[kHz]");
    f.Lb_Trigger_Ms.setCaption("Message sequence");
    f.Lb_Trigger_Time[0].setCaption("Time");
    f.Lb_Trigger_Time[1].setCaption("[s]");
    f.Lb_Trigger_Zones[0].setCaption("Zones");
    f.Lb_Total.setCaption("Total");
}

std::vector<std::string> headingLines() {
    return {"Message" + std::string(48, '-') + " Trigger" + std::string(36, '-'),
            "\tFile\t\t\tTime\tSize\tSample rate\tMessage sequence\tTime\tZones",
            "\t\t\t\t[s]\t[kB]\t[kHz]\t\t\t\t[s]\t"};
}

/// A row of an empty slot and an untouched trigger: every field blank, padded to columns 24, 31, 38, 45, 49,
/// 64 and 71.
std::string emptyRow(int i, const std::string& zones = " , , , , , ") {
    std::string num = std::to_string(i);
    int narrow = i < 10 ? 1 : 0;
    return num + "\t" + b(20 + narrow) + "\t" + b(6) + "\t" + b(6) + "\t" + b(6) + "\t" + num + b(1 + narrow) +
           "\t,,," + b(11) + "\t" + b(6) + "\t" + zones;
}

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

TEST(TextPrintout, freshEditor_printsPaddedEmptyRows) {
    LoadedEditor e;
    setHeadings(e.form);
    std::string path = e.test.folder.file("PrintSetup.txt");
    ASSERT_TRUE(e.editor.printout().PrintOutTxt(path));

    std::vector<std::string> lines = headingLines();
    for (int i = 1; i <= 12; ++i)
        lines.push_back(emptyRow(i));
    lines.push_back("\tTotal\t\t\t\t");
    lines.push_back(std::string(99, '-'));
    EXPECT_EQ(lines.size(), 17u);
    EXPECT_EQ(readBytes(path), join(lines));
    EXPECT_TRUE(e.test.msgBox.shown.empty());
}

TEST(TextPrintout, filledSet_cutsFieldsToTheirWidthsAndPrintsSequencesAndZones) {
    LoadedEditor e;
    fillSampleSet(e.form);
    setHeadings(e.form);
    std::string path = e.test.folder.file("PrintSetup.txt");
    ASSERT_TRUE(e.editor.printout().PrintOutTxt(path));

    std::vector<std::string> lines = headingLines();
    lines.push_back("1\tbell" + b(17) + "\t1.00" + b(2) + "\t32" + b(4) + "\t8.000" + b(1) + "\t1" + b(2) +
                    "\t1,3, , " + b(7) + "\t3.50" + b(2) + "\t1,2,3,4,5,6");
    lines.push_back("2\tchime" + b(16) + "\t0.25" + b(2) + "\t35" + b(4) + "\t22.050" + "\t2" + b(2) + "\t10,10,10,10" +
                    b(3) + "\t49382." + "\t1, ,3, , ,6");
    lines.push_back("3\tgong" + b(17) + "\t2.50" + b(2) + "\t8" + b(5) + "\t16.000" + "\t3" + b(2) + "\t , , , " +
                    b(7) + "\t0.00" + b(2) + "\t , , , , , ");
    auto smallRow = [](int i, const std::string& sequence, const std::string& time) {
        std::string num = std::to_string(i);
        return num + "\tm" + num + b(19) + "\t0.50" + b(2) + "\t3" + b(5) + "\t16.000" + "\t" + num + b(2) + "\t" +
               sequence + "\t" + time + "\t , , , , , ";
    };
    lines.push_back(smallRow(4, ",,," + b(11), b(6)));
    // Step texts are trimmed, the blank step kept, and the sequence cut to 14 characters.
    lines.push_back(smallRow(5, "1234567890,2, ", "1.00" + b(2)));
    for (int i = 6; i <= 9; ++i)
        lines.push_back(smallRow(i, ",,," + b(11), b(6)));
    // The 25-character name is cut to 20 and reaches column 23: no blank before the TAB in column 24.
    lines.push_back("10\tabcdefghijklmnopqrst\t12345.\t0" + b(5) + "\t24.000\t10" + b(1) + "\t,,," + b(11) + "\t" +
                    b(6) + "\t , , , , , ");
    lines.push_back(emptyRow(11));
    lines.push_back(emptyRow(12, " , , , , ,6"));
    lines.push_back("\tTotal\t\t\t1234567.\t98");  // TotalTime cut to 8 characters
    lines.push_back(std::string(99, '-'));
    EXPECT_EQ(readBytes(path), join(lines));
}

TEST(TextPrintout, textsInTheCodePage_countOneColumnPerCharacter) {
    LoadedEditor e;
    setHeadings(e.form);
    e.form.WaveFile[1].setText("\xc3\xa4\xc3\xa4");  // two "ä", 4 bytes in UTF-8
    std::string path = e.test.folder.file("PrintSetup.txt");
    ASSERT_TRUE(e.editor.printout().PrintOutTxt(path));
    std::string bytes = readBytes(path);
    std::string row = "1\t\xe4\xe4" + b(19) + "\t";
    EXPECT_NE(bytes.find("\r\n" + row), std::string::npos);
}

TEST(TextPrintout, failedWrite_returnsFalseSilentlyAndKeepsTheOldFile) {
    LoadedEditor e;
    EXPECT_FALSE(e.editor.printout().PrintOutTxt(e.test.folder.file("missing") + kSeparator + "PrintSetup.txt"));

    std::string path = e.test.folder.file("locked.txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "old";
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(e.editor.printout().PrintOutTxt(path));
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_TRUE(e.test.msgBox.shown.empty());
    EXPECT_EQ(e.test.msgBox.beeps, 0);
}

TEST(TextPrintout, render_printsASetHeldOutsideTheEditor) {
    LoadedEditor e;  // for the headings and the code page only
    setHeadings(e.form);
    MessageSet set;
    set.WaveFile[1] = "bell";
    set.TRG1Text[1] = "1";
    set.Check1[2] = true;
    set.TotalTime = "1.00";

    std::vector<std::string> lines = headingLines();
    lines.push_back("1\tbell" + b(17) + "\t" + b(6) + "\t" + b(6) + "\t" + b(6) + "\t1" + b(2) + "\t1,,," + b(10) +
                    "\t" + b(6) + "\t ,2, , , , ");
    for (int i = 2; i <= 12; ++i)
        lines.push_back(emptyRow(i));
    lines.push_back("\tTotal\t\t\t1.00\t");
    lines.push_back(std::string(99, '-'));
    EXPECT_EQ(TextPrintout::render(set, TextPrintout::headingsOf(e.form), e.test.platform.codec), join(lines));
}

}  // namespace
