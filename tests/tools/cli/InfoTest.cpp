// kvt3310-cli info, the program's usage errors and its help: the editor's check of wave files, run as a process.
#include "CliFixture.h"
#include "support/WaveBytes.h"

using namespace WaveBytes;
using Names = std::vector<std::string>;

class InfoTest : public CliFixture {};

TEST_F(InfoTest, acceptedFiles_showTimeSizeAndRateAsTheEditor) {
    // 16044 bytes are stored as 46 frames of 350; 44144 bytes as 127.
    writeBytes(file("gong.wav"), canonical(8000, 16000));
    writeBytes(file("chime.wav"), canonical(22050, 44100));
    writeBytes(file("edge.wav"), canonical(24000, 48000));
    auto run = cli({"info", "gong.wav", "chime.wav", "edge.wav"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "gong.wav: 1.00 s, 16 kB (16100 bytes), 8.000 kHz\n"
              "chime.wav: 1.00 s, 44 kB (44450 bytes), 22.050 kHz\n"
              "edge.wav: 1.00 s, 48 kB (48300 bytes), 24.000 kHz\n");
}

TEST_F(InfoTest, refusedFiles_showTheEditorsTextAndFail) {
    writeBytes(file("stereo.wav"), canonical(8000, 16000, 2, 8));
    writeBytes(file("slow.wav"), canonical(7999, 16000));
    writeBytes(file("fast.wav"), canonical(24001, 16000));
    writeBytes(file("byte.wav"), canonical(8000, 16000, 1, 8));
    std::string notWave = canonical(8000, 16000);
    notWave.replace(8, 4, "WAVX");
    writeBytes(file("text.wav"), notWave);
    std::string noData = canonical(8000, 16);
    noData.replace(36, 4, "dat_");
    writeBytes(file("nodata.wav"), noData);
    auto run = cli({"info", "stereo.wav", "slow.wav", "fast.wav", "byte.wav", "text.wav", "nodata.wav", "gone.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "stereo.wav: The file is not a mono file!\n"
              "slow.wav: Sample frequency is not in the range of 8...24 kHz!\n"
              "fast.wav: Sample frequency is not in the range of 8...24 kHz!\n"
              "byte.wav: Word length of wave file is not 16 bit!\n"
              "text.wav: The file is not a WAVE file!\n"
              "nodata.wav: the file has no data chunk\n"
              "gone.wav: the file cannot be read\n");
}

TEST_F(InfoTest, cutShortOrEmptyFiles_refusedNamingTheFileAndTheCounts) {
    const std::string whole = canonical(8000, 24000);
    writeBytes(file("cut.wav"), whole.substr(0, 1044));
    writeBytes(file("empty.wav"), canonical(8000, 0));
    auto run = cli({"info", "cut.wav", "empty.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "cut.wav: The WAVE file is cut short: its header announces 24000 bytes of sound, the file holds "
              "1000: " +
                  file("cut.wav") + "\nempty.wav: The WAVE file holds no sound: " + file("empty.wav") + "\n");
}

TEST_F(InfoTest, oneRefusalAmongGoodFiles_failsButReportsAll) {
    writeBytes(file("a.wav"), canonical(8000, 16000));
    writeBytes(file("b.wav"), canonical(8000, 16000, 2));
    auto run = cli({"info", "b.wav", "a.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "b.wav: The file is not a mono file!\na.wav: 1.00 s, 16 kB (16100 bytes), 8.000 kHz\n");
}

TEST_F(InfoTest, fileLargerThanTheMemory_isRefusedWithTheCapacityText) {
    writeBytes(file("long.wav"), canonical(8000, 8380000));
    auto run = cli({"info", "long.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "long.wav: Message files exceed memory capacity of 8380 KB!\n");
}

TEST_F(InfoTest, otherLanguage_givesItsRefusalText) {
    writeBytes(file("stereo.wav"), canonical(8000, 16000, 2));
    auto run = cli({"--language", "de", "info", "stereo.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.rfind("stereo.wav: ", 0), std::string::npos);
    EXPECT_EQ(run.out.find("The file is not a mono file!"), std::string::npos) << run.out;
}

TEST_F(InfoTest, info_writesNoFile) {
    writeBytes(file("gong.wav"), canonical(8000, 16000));
    auto run = cli({"info", "gong.wav"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(listing(), Names{"gong.wav"});
}

TEST_F(InfoTest, instanceMarkerOfTheWindowProgram_isNeverWritten) {
    // Applying a language rewrites the marker in the program folder in the window program.
    const auto marker = std::filesystem::path(KVT_CLI).parent_path() / "~KVT3310Temp";
    const bool existed = std::filesystem::exists(marker);
    const std::string before = readBytes(marker.string());
    writeBytes(file("gong.wav"), canonical(8000, 16000));
    ASSERT_EQ(cli({"--language", "fr", "info", "gong.wav"}).status, 0);
    EXPECT_EQ(std::filesystem::exists(marker), existed);
    EXPECT_EQ(readBytes(marker.string()), before);
}

TEST_F(InfoTest, wrongUsage_exitsWithTwo) {
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({"info"}).status, 2);
    EXPECT_EQ(cli({"play", "x.wav"}).status, 2);
    EXPECT_EQ(cli({"info", "--loud", "x.wav"}).status, 2);
    EXPECT_EQ(cli({"--language", "xx", "info", "x.wav"}).status, 2);
    EXPECT_EQ(cli({"convert", "in.wav", "-o", "out.wav", "--rate", "7999"}).status, 2);
    EXPECT_EQ(cli({"compose", "--message", "1=a.wav"}).status, 2);
    EXPECT_EQ(cli({"compose", "-o", "s.cfg", "--message", "13=a.wav"}).status, 2);
    EXPECT_EQ(cli({"compose", "-o", "s.cfg", "--zones", "1=7"}).status, 2);
    EXPECT_EQ(cli({"upload", "s.cfg"}).status, 2);
    EXPECT_EQ(listing(), Names{});
}

TEST_F(InfoTest, helpAndVersion_succeedOnStandardOutput) {
    for (const char* command : {"info", "convert", "compose", "print", "upload", "read-tables"}) {
        auto run = cli({command, "--help"});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.out.rfind(std::string("usage: kvt3310-cli ") + command, 0), 0u) << run.out;
    }
    auto help = cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("read-tables"), std::string::npos);
    auto version = cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("kvt3310-cli ", 0), 0u);
}
