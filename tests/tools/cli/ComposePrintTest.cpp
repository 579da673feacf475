// kvt3310-cli compose and print: a set built through the editor, saved, reopened and printed.
#include <system_error>

#include "CliFixture.h"
#include "support/WaveBytes.h"

using namespace WaveBytes;

namespace {

const std::string TAB = "\t";

void padTo(std::string& line, std::size_t column) {
    if (line.size() < column - 1)
        line.append(column - 1 - line.size(), ' ');
}

/// A printout row from the column rules: fields cut to their widths, padded to columns 24, 31, 38, 45, 49,
/// 64 and 71, each padding followed by a TAB.
std::string row(int i, const std::string& name, const std::string& time, const std::string& size,
                const std::string& sample, const std::string& sequence, const std::string& trgTime,
                const std::string& zones) {
    std::string line = std::to_string(i) + TAB + name.substr(0, 20);
    padTo(line, 24);
    line += TAB + time.substr(0, 6);
    padTo(line, 31);
    line += TAB + size.substr(0, 6);
    padTo(line, 38);
    line += TAB + sample.substr(0, 6);
    padTo(line, 45);
    line += TAB + std::to_string(i);
    padTo(line, 49);
    line += TAB + sequence.substr(0, 14);
    padTo(line, 64);
    line += TAB + trgTime.substr(0, 6);
    padTo(line, 71);
    return line + TAB + zones + "\r\n";
}

}  // namespace

class ComposePrintTest : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        writeBytes(file("gong.wav"), canonical(8000, 16000));
        writeBytes(file("chime.wav"), canonical(22050, 44100));
    }
    ProgramResult composeSet(const std::string& name) {
        return cli({"compose", "-o", name, "--message", "1=gong.wav", "--message", "2=chime.wav", "--trigger", "1=2,1",
                    "--zones", "1=1,6", "--trigger", "3=2", "--zones", "3=2"});
    }
};

TEST_F(ComposePrintTest, composeThenPrint_givesTheExpectedPrintout) {
    auto compose = composeSet("set.cfg");
    ASSERT_EQ(compose.status, 0) << compose.err;
    auto print = cli({"print", "set.cfg"});
    ASSERT_EQ(print.status, 0) << print.err;

    std::string expected = "Message" + std::string(48, '-') + " Trigger" + std::string(36, '-') + "\r\n";
    expected += TAB + "File" + TAB + TAB + TAB + "Time" + TAB + "Size" + TAB + "Sample" + TAB + "Message sequence" +
                TAB + "Time" + TAB + "Zones\r\n";
    expected +=
        TAB + TAB + TAB + TAB + "[s]" + TAB + "kB" + TAB + "[Khz]" + TAB + TAB + TAB + TAB + "[s]" + TAB + "\r\n";
    const std::string noZones = " , , , , , ";
    expected += row(1, "gong", "1.00", "16", "8.000", "2,1, , ", "2.00", "1, , , , ,6");
    expected += row(2, "chime", "1.00", "44", "22.050", ", , , ", "0.00", noZones);
    expected += row(3, "", "", "0", "", "2, , , ", "1.00", " ,2, , , , ");
    for (int i = 4; i <= 12; ++i)
        expected += row(i, "", "", "0", "", ", , , ", "0.00", noZones);
    expected += TAB + "Total" + TAB + TAB + TAB + "2.00" + TAB + "60\r\n";
    expected += std::string(99, '-') + "\r\n";
    EXPECT_EQ(print.out, expected);

    auto toFile = cli({"print", "set.cfg", "-o", "PrintSetup.txt"});
    ASSERT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(readBytes(file("PrintSetup.txt")), expected);
}

TEST_F(ComposePrintTest, composeTwice_givesByteIdenticalFiles) {
    ASSERT_EQ(composeSet("a.cfg").status, 0);
    ASSERT_EQ(composeSet("b.cfg").status, 0);
    const std::string a = readBytes(file("a.cfg"));
    EXPECT_EQ(a, readBytes(file("b.cfg")));
    EXPECT_EQ(a.rfind("MsgBt(1) =True\r\nMsgBt(2) =True\r\nMsgBt(3) =False\r\n", 0), 0u);
    EXPECT_NE(a.find("\r\nFilePath(1)=" + file("gong.wav") + "\r\n"), std::string::npos) << a;
    EXPECT_EQ(std::count(a.begin(), a.end(), '\n'), 280);
}

TEST_F(ComposePrintTest, messagesGivenOutOfOrder_fillTheSlotsInTheirOrder) {
    auto run = cli({"compose", "-o", "set.cfg", "--message", "2=chime.wav", "--message", "1=gong.wav"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string cfg = readBytes(file("set.cfg"));
    EXPECT_NE(cfg.find("WaveFile(1)=gong\r\n"), std::string::npos);
    EXPECT_NE(cfg.find("WaveFile(2)=chime\r\n"), std::string::npos);
}

TEST_F(ComposePrintTest, refusedFile_failsWithTheEditorsTextAndWritesNoSet) {
    writeBytes(file("stereo.wav"), canonical(8000, 16000, 2));
    auto run = cli({"compose", "-o", "set.cfg", "--message", "1=gong.wav", "--message", "2=stereo.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("The file is not a mono file!"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("set.cfg")));
}

TEST_F(ComposePrintTest, setBeyondTheMemory_failsWithTheCapacityText) {
    writeBytes(file("long.wav"), canonical(8000, 8370000));
    auto run = cli({"compose", "-o", "set.cfg", "--message", "1=long.wav", "--message", "2=chime.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Message files exceed memory capacity of 8380 KB!"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(file("set.cfg")));
}

TEST_F(ComposePrintTest, gapInTheSlotsOrUnknownMessageInASequence_isRefused) {
    EXPECT_EQ(cli({"compose", "-o", "set.cfg", "--message", "2=gong.wav"}).status, 1);
    EXPECT_EQ(cli({"compose", "-o", "set.cfg", "--message", "1=gong.wav", "--trigger", "1=2"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(file("set.cfg")));
}

TEST_F(ComposePrintTest, printOfAMissingSet_failsWithTheEditorsText) {
    auto run = cli({"print", "none.cfg"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Configuration file cannot be found!"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST_F(ComposePrintTest, setIntoAMissingFolder_failsNamingTheFileAndTheReason) {
    auto run = cli({"compose", "-o", "no/such/set.cfg", "--message", "1=gong.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("kvt3310-cli: The configuration file could not be saved:\n\n" + file("no/such/set.cfg") +
                           "\n" + std::make_error_code(std::errc::no_such_file_or_directory).message() + "\n"),
              std::string::npos)
        << run.err;
}

TEST_F(ComposePrintTest, greekPrintout_holdsGreekLettersInCodePage1253) {
    ASSERT_EQ(composeSet("set.cfg").status, 0);
    auto print = cli({"--language", "el", "print", "set.cfg"});
    ASSERT_EQ(print.status, 0) << print.err;
    // "Μήνυμα" in code page 1253: Μ 0xCC, ή 0xDE, ν 0xED, υ 0xF5, μ 0xEC, α 0xE1.
    EXPECT_EQ(print.out.rfind("\xCC\xDE\xED\xF5\xEC\xE1" + std::string(48, '-') + " ", 0), 0u) << print.out;
    EXPECT_EQ(print.out.find('?'), std::string::npos) << print.out;
}

TEST_F(ComposePrintTest, nameTheCodePageCannotHold_failsTheSaveNamingIt_andThePrintoutWritingNothing) {
    writeBytes(file("Größe.wav"), canonical(8000, 16000));
    auto greekSet = cli({"--language", "el", "compose", "-o", "set.cfg", "--message", "1=Größe.wav"});
    EXPECT_EQ(greekSet.status, 1);
    EXPECT_NE(greekSet.err.find("\nGröße\n"), std::string::npos) << greekSet.err;
    EXPECT_FALSE(std::filesystem::exists(file("set.cfg")));

    // Ò is 0xD2 in code page 1252, a byte code page 1253 leaves undefined.
    writeBytes(file("Òla.wav"), canonical(8000, 16000));
    ASSERT_EQ(cli({"compose", "-o", "set.cfg", "--message", "1=Òla.wav"}).status, 0);
    auto western = cli({"print", "set.cfg"});
    ASSERT_EQ(western.status, 0) << western.err;
    EXPECT_NE(western.out.find("1\t\xD2la "), std::string::npos) << western.out;
    auto greek = cli({"--language", "el", "print", "set.cfg", "-o", "PrintSetup.txt"});
    EXPECT_EQ(greek.status, 1);
    EXPECT_FALSE(std::filesystem::exists(file("PrintSetup.txt")));
}
