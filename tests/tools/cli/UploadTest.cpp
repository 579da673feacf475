// kvt3310-cli upload and read-tables against the emulated unit on a pseudo-terminal.
#include <fstream>
#include <iterator>
#include <system_error>

#include "CliFixture.h"
#include "support/WaveBytes.h"

using namespace WaveBytes;

class UploadTest : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        m_unit = std::make_unique<BackgroundProgram>(KVT_EMU, std::vector<std::string>{});
        m_port = m_unit->firstLine(5000);
        ASSERT_FALSE(m_port.empty());
        writeBytes(file("gong.wav"), canonical(8000, 16000));
        writeBytes(file("chime.wav"), canonical(22050, 44100));
        auto compose = cli({"compose", "-o", "set.cfg", "--message", "1=gong.wav", "--message", "2=chime.wav",
                            "--trigger", "1=2,1", "--zones", "1=1,6", "--trigger", "12=1,1,2", "--zones", "12=3"});
        ASSERT_EQ(compose.status, 0) << compose.err;
    }
    ProgramResult upload() { return cli({"upload", "set.cfg", "--port", m_port, "--timeout", "3000"}); }

    std::unique_ptr<BackgroundProgram> m_unit;
    std::string m_port;
};

TEST_F(UploadTest, uploadThenReadTables_showsTheSetThenASecondUploadIsConfigurationOnly) {
    auto first = upload();
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "STATUS: Message and configuration upload successfully!\n");
    EXPECT_NE(first.err.find("STATUS: gong File is uploading..."), std::string::npos) << first.err;

    auto tables = cli({"read-tables", "--port", m_port, "--timeout", "3000"});
    ASSERT_EQ(tables.status, 0) << tables.err;
    // Reading is no upload: the status says the data was read.
    EXPECT_NE(tables.err.find("STATUS: Reading data successfully!"), std::string::npos) << tables.err;
    EXPECT_EQ(tables.err.find("upload successfully"), std::string::npos) << tables.err;
    // 16044 bytes take 46 frames of 175 words, 44144 bytes 127 frames.
    EXPECT_NE(tables.out.find("Message table: 2 messages, end at word 30275\n"
                              "  message 1: word 0, 16100 bytes\n"
                              "  message 2: word 8050, 44450 bytes\n"
                              "  message 3: none\n"),
              std::string::npos)
        << tables.out;
    EXPECT_NE(tables.out.find("  trigger 1: messages 2,1; zones 1,6\n  trigger 2: messages -; zones -\n"),
              std::string::npos)
        << tables.out;
    EXPECT_NE(tables.out.find("  trigger 12: messages 1,1,2; zones 3\n"), std::string::npos) << tables.out;

    auto second = upload();
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "STATUS: Configuration only upload successfully!\n");
    EXPECT_EQ(second.err.find("File is uploading"), std::string::npos) << second.err;
}

TEST_F(UploadTest, readTablesOfAnErasedUnit_saysItHoldsNothingAndReadsEachTableOnce) {
    m_unit.reset();
    m_unit = std::make_unique<BackgroundProgram>(KVT_EMU, std::vector<std::string>{"--log", file("unit.log")});
    const std::string port = m_unit->firstLine(5000);
    ASSERT_FALSE(port.empty());
    auto tables = cli({"read-tables", "--port", port, "--timeout", "3000"});
    ASSERT_EQ(tables.status, 0) << tables.err;
    EXPECT_EQ(tables.out, "Message table: the unit holds no messages\nTrigger table: none (erased)\n");
    m_unit.reset();
    std::ifstream log(file("unit.log"));
    const std::string frames((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_EQ(frames.find("command R [3F F0 00]"), frames.rfind("command R [3F F0 00]")) << frames;
    EXPECT_NE(frames.find("command R [3F F1 00]"), std::string::npos) << frames;
}

TEST_F(UploadTest, setWithoutMessageFiles_leavesTheUnitAsItWasUnlessTheUnitMayBeErased) {
    ASSERT_EQ(upload().status, 0);
    ASSERT_EQ(cli({"compose", "-o", "empty.cfg"}).status, 0);
    auto messagesHeld = [&] { return cli({"read-tables", "--port", m_port, "--timeout", "3000"}).out.substr(0, 30); };

    auto refused = cli({"upload", "empty.cfg", "--port", m_port, "--timeout", "3000"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "kvt3310-cli: empty.cfg holds no message file: uploading it would erase the unit's "
              "messages and leave it with none. Give --erase-unit to upload it all the same.\n");
    EXPECT_EQ(messagesHeld(), "Message table: 2 messages, end");

    auto erased = cli({"upload", "empty.cfg", "--port", m_port, "--timeout", "3000", "--erase-unit"});
    EXPECT_EQ(erased.status, 0) << erased.err;
    EXPECT_EQ(erased.out, "STATUS: Message and configuration upload successfully!\n");
    EXPECT_EQ(messagesHeld(), "Message table: the unit holds ");
}

TEST_F(UploadTest, traceThatCannotBeWritten_warnsOnceAndTheUploadSucceeds) {
    std::filesystem::create_directory(file("upload.log"));
    auto run = cli({"upload", "set.cfg", "--port", m_port, "--timeout", "3000", "--trace", "upload.log"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "STATUS: Message and configuration upload successfully!\n");
    const std::string warning = "kvt3310-cli: warning: the protocol trace cannot be written: " + file("upload.log") +
                                ": " + std::make_error_code(std::errc::is_a_directory).message() + "\n";
    EXPECT_NE(run.err.find(warning), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("warning"), run.err.rfind("warning")) << run.err;
}

TEST_F(UploadTest, missingWaveFile_failsTheUpload) {
    std::filesystem::remove(file("chime.wav"));
    auto run = upload();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Path of message file is incorrect!"), std::string::npos) << run.err;
}

TEST_F(UploadTest, absentPort_failsWithoutWaitingForTheUnit) {
    auto run = cli({"upload", "set.cfg", "--port", file("no-such-tty")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(cli({"read-tables", "--port", file("no-such-tty")}).status, 1);
}

TEST_F(UploadTest, silentUnit_failsAfterTheTimeOut) {
    m_unit.reset();
    m_unit = std::make_unique<BackgroundProgram>(KVT_EMU, std::vector<std::string>{"--silent-after", "0"});
    const std::string port = m_unit->firstLine(5000);
    ASSERT_FALSE(port.empty());
    auto run = cli({"upload", "set.cfg", "--port", port, "--timeout", "200"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "STATUS: Message and configuration upload unsuccessfully! The unit does not answer!\n");
    EXPECT_EQ(cli({"read-tables", "--port", port, "--timeout", "200"}).status, 1);
}

TEST_F(UploadTest, traceOption_writesTheFramesAndTheOutcomeToTheFile) {
    auto run = cli({"upload", "set.cfg", "--port", m_port, "--timeout", "3000", "--trace", "upload.log"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::ifstream in(file("upload.log"), std::ios::binary);
    const std::string trace{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(trace.find(" PORT open COM1 (" + m_port + ") 115200,N,8,2\r\n"), std::string::npos) << trace;
    // The "P" command, and the unit's acknowledgement of it.
    EXPECT_NE(trace.find(" TX 2A 36 34 35 35 35 30 "), std::string::npos) << trace;
    EXPECT_NE(
        trace.find(" | from 55 to 64, command P (50), payload 1, checksum 6A ok, payload byte 6, read as 6 (ACK)"),
        std::string::npos);
    EXPECT_NE(trace.find(", read as 6 (ACK)\r\n"), std::string::npos);
    EXPECT_NE(trace.find(" STATUS Message and configuration upload successfully!\r\n"), std::string::npos);
    // The port closed, then the upload's end, each line after its time stamp ("12:00:01.234 ").
    const std::size_t closed = trace.rfind(" PORT closed\r\n");
    ASSERT_NE(closed, std::string::npos) << trace;
    EXPECT_EQ(trace.substr(closed + 14 + 13), "UPLOAD ended\r\n");
}

TEST_F(UploadTest, movedSetAndSetWithWindowsPaths_leaveTheUnitAsTheSetInItsPlaceDoes) {
    auto uploadTo = [&](const std::string& config, const std::string& dump) {
        m_unit.reset();
        m_unit = std::make_unique<BackgroundProgram>(KVT_EMU, std::vector<std::string>{"--dump", file(dump)});
        const std::string port = m_unit->firstLine(5000);
        auto run = cli({"upload", config, "--port", port, "--timeout", "3000"});
        m_unit.reset();
        return run;
    };
    ASSERT_EQ(uploadTo("set.cfg", "original.bin").status, 0);
    const std::string original = readBytes(file("original.bin"));
    ASSERT_EQ(original.size(), 8u << 20);

    std::filesystem::create_directory(file("moved"));
    for (const char* name : {"set.cfg", "gong.wav", "chime.wav"})
        std::filesystem::rename(file(name), file(std::string("moved/") + name));
    auto moved = uploadTo("moved/set.cfg", "moved.bin");
    EXPECT_EQ(moved.status, 0) << moved.err;
    EXPECT_NE(moved.err.find("STATUS: Message files found beside the set: 2\n"), std::string::npos) << moved.err;
    EXPECT_TRUE(readBytes(file("moved.bin")) == original);

    std::string config = readBytes(file("moved/set.cfg"));
    for (const char* name : {"gong.wav", "chime.wav"}) {
        const std::string stored = file(name);
        config.replace(config.find(stored), stored.size(), std::string("C:\\Users\\ann\\Sets\\") + name);
    }
    writeBytes(file("moved/set.cfg"), config);
    auto windows = uploadTo("moved/set.cfg", "windows.bin");
    EXPECT_EQ(windows.status, 0) << windows.err;
    EXPECT_TRUE(readBytes(file("windows.bin")) == original);
}
