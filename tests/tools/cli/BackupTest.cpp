// kvt3310-cli backup against the emulated unit on a pseudo-terminal: a set uploaded, read back into a folder
// and compared, cloned onto a second unit, and a unit that refuses to give its messages.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "CliFixture.h"
#include "support/WaveBytes.h"

using namespace WaveBytes;

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class BackupTest : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        writeBytes(file("gong.wav"), canonical(8000, 16000));
        // An odd length: one byte after the data chunk, counted by the RIFF header.
        writeBytes(file("chime.wav"),
                   riff(chunk("fmt ", fmt(1, 1, 24000, 16)) + chunk("data", tone16(9000, 24000, 1)) + "x"));
        auto compose = cli({"compose", "-o", "set.cfg", "--message", "1=gong.wav", "--message", "2=chime.wav",
                            "--trigger", "1=2,1", "--zones", "1=1,6", "--trigger", "12=1,1,2", "--zones", "12=3"});
        ASSERT_EQ(compose.status, 0) << compose.err;
        std::filesystem::create_directory(file("out"));
    }
    /// A unit on a fresh pseudo-terminal with `options`, the set uploaded to it.
    std::string unitWithSet(std::vector<std::string> options) {
        m_units.push_back(std::make_unique<BackgroundProgram>(KVT_EMU, options));
        const std::string port = m_units.back()->firstLine(5000);
        EXPECT_FALSE(port.empty());
        auto upload = cli({"upload", "set.cfg", "--port", port, "--timeout", "3000"});
        EXPECT_EQ(upload.status, 0) << upload.err;
        return port;
    }

    std::vector<std::unique_ptr<BackgroundProgram>> m_units;
};

TEST_F(BackupTest, backup_recoversEveryFileVerifiesTheSetRefusesToReplaceAndClonesTheUnit) {
    ASSERT_EQ(contents(file("chime.wav")).size() % 2, 1u);
    const std::string port = unitWithSet({"--dump", file("first.mem")});
    std::filesystem::remove(file("out"));  // made by the backup
    auto backup = cli({"backup", "--port", port, "-o", "out", "--timeout", "3000"});
    ASSERT_EQ(backup.status, 0) << backup.err;
    EXPECT_EQ(contents(file("out/message01.wav")), contents(file("gong.wav")));
    EXPECT_EQ(contents(file("out/message02.wav")), contents(file("chime.wav")));
    EXPECT_NE(backup.out.find("message 1: message01.wav, 16044 bytes, check word good\n"
                              "message 2: message02.wav, 18045 bytes, check word good\n"
                              "set: " +
                              file("out/MessageSetup.cfg") + "\n2 messages, 34089 bytes, read in "),
              std::string::npos)
        << backup.out;
    EXPECT_NE(backup.err.find("STATUS: Reading message 2 from the unit..."), std::string::npos) << backup.err;

    auto verify = cli({"backup", "--port", port, "--verify", "set.cfg", "--timeout", "3000"});
    EXPECT_EQ(verify.status, 0) << verify.err;
    EXPECT_EQ(verify.out,
              "message 1: same\nmessage 2: same\ntriggers and zones: same\nThe unit holds the set of "
              "set.cfg\n");

    auto again = cli({"backup", "--port", port, "-o", "out", "--timeout", "3000"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("already holds message01.wav, message02.wav, MessageSetup.cfg: give --force"),
              std::string::npos)
        << again.err;
    EXPECT_EQ(cli({"backup", "--port", port, "-o", "out", "--force", "--timeout", "3000"}).status, 0);

    m_units.push_back(
        std::make_unique<BackgroundProgram>(KVT_EMU, std::vector<std::string>{"--dump", file("clone.mem")}));
    const std::string second = m_units.back()->firstLine(5000);
    auto clone = cli({"upload", "out/MessageSetup.cfg", "--port", second, "--timeout", "3000"});
    ASSERT_EQ(clone.status, 0) << clone.err;
    m_units.clear();
    EXPECT_EQ(contents(file("clone.mem")).size(), 8u << 20);
    EXPECT_TRUE(contents(file("clone.mem")) == contents(file("first.mem")));
}

TEST_F(BackupTest, verifyOfAChangedSet_namesTheDifferentMessageAndFails) {
    const std::string port = unitWithSet({});
    writeBytes(file("gong.wav"), canonical(8000, 16002));
    auto verify = cli({"backup", "--port", port, "--verify", "set.cfg", "--timeout", "3000"});
    EXPECT_EQ(verify.status, 1);
    EXPECT_NE(verify.out.find("message 1: different\nmessage 2: same\n"), std::string::npos) << verify.out;
}

TEST_F(BackupTest, unitThatRefusesToReadItsMessages_isSaidClearlyAndNothingIsWritten) {
    const std::string port = unitWithSet({"--refuse-reads", "1"});
    auto backup = cli({"backup", "--port", port, "-o", "out", "--timeout", "3000"});
    EXPECT_EQ(backup.status, 1);
    EXPECT_NE(backup.err.find("kvt3310-cli: The unit cannot be read back: The unit refuses to read its messages back."),
              std::string::npos)
        << backup.err;
    EXPECT_TRUE(std::filesystem::is_empty(file("out")));
    // A folder made for the backup is not left behind empty; one whose parent is missing is refused up front.
    EXPECT_EQ(cli({"backup", "--port", port, "-o", "made", "--timeout", "3000"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(file("made")));
    auto orphan = cli({"backup", "--port", port, "-o", "none/made", "--timeout", "3000"});
    EXPECT_EQ(orphan.status, 1);
    EXPECT_NE(orphan.err.find("none/made: cannot be made a folder"), std::string::npos) << orphan.err;
}
