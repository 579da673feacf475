// kvt3310-cli with sets that travel: info and print of a moved set and of a set with Windows paths, a file beside
// the set that is not its own, and pack, which copies and never replaces.
#include <filesystem>
#include <map>

#include "CliFixture.h"
#include "support/WaveBytes.h"

using namespace WaveBytes;

namespace {

namespace fs = std::filesystem;

/// Every file under `folder` with its bytes.
std::map<std::string, std::string> tree(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = readBytes(entry.path().string());
    return files;
}

/// The configuration file with its slots' paths replaced: line 14 holds slot 1's, line 16 slot 2's.
void storePaths(const std::string& config, const std::string& path1, const std::string& path2) {
    std::string text = readBytes(config);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    lines[13] = "FilePath(1)=" + path1;
    lines[15] = "FilePath(2)=" + path2;
    text.clear();
    for (const std::string& line : lines)
        text += line + "\r\n";
    writeBytes(config, text);
}

}  // namespace

class PackTest : public CliFixture {
protected:
    /// A set composed in folder A: gong.wav beside it, chime.wav in its folder "waves".
    void SetUp() override {
        CliFixture::SetUp();
        fs::create_directories(file("A/waves"));
        writeBytes(file("A/gong.wav"), canonical(8000, 16000));
        writeBytes(file("A/waves/chime.wav"), canonical(22050, 44100));
        auto compose = cli({"compose", "-o", "A/set.cfg", "--message", "1=A/gong.wav", "--message",
                            "2=A/waves/chime.wav", "--trigger", "1=2,1", "--zones", "1=1,6"});
        ASSERT_EQ(compose.status, 0) << compose.err;
        m_printout = cli({"print", "A/set.cfg"}).out;
    }
    std::string m_printout;
};

TEST_F(PackTest, movedOrWindowsSet_infoShowsTheFilesBesideItAndPrintIsUnchanged) {
    for (bool windows : {false, true}) {
        SCOPED_TRACE(windows ? "Windows paths" : "folder renamed");
        if (windows)
            storePaths(file("B/set.cfg"), "C:\\Users\\ann\\Sets\\gong.wav", "C:\\Users\\ann\\Sets\\waves\\chime.wav");
        else
            fs::rename(file("A"), file("B"));
        auto info = cli({"info", "B/set.cfg"});
        EXPECT_EQ(info.status, 0) << info.err;
        EXPECT_EQ(info.err, "STATUS: Message files found beside the set: 2\n");
        EXPECT_EQ(info.out, "B/set.cfg: 2 messages\n  1 gong: 1.00 s, 16 kB (16100 bytes), 8.000 kHz, " +
                                file("B/gong.wav") + "\n  2 chime: 1.00 s, 44 kB (44450 bytes), 22.050 kHz, " +
                                file("B/waves/chime.wav") + "\n");
        auto print = cli({"print", "B/set.cfg"});
        EXPECT_EQ(print.status, 0) << print.err;
        EXPECT_EQ(print.out, m_printout);
    }
}

TEST_F(PackTest, fileBesideOfAnotherSize_isNamedAndTheSetIsRefused) {
    fs::rename(file("A"), file("B"));
    writeBytes(file("B/gong.wav"), canonical(8000, 20000));
    auto info = cli({"info", "B/set.cfg"});
    EXPECT_EQ(info.status, 1);
    EXPECT_NE(info.err.find("it was not used:\n\n1: " + file("B/gong.wav") + "\n"), std::string::npos) << info.err;
    EXPECT_NE(info.out.find(file("A/gong.wav") + " (not found)\n"), std::string::npos) << info.out;
    auto pack = cli({"pack", "B/set.cfg", "-o", "P"});
    EXPECT_EQ(pack.status, 1);
    EXPECT_NE(pack.err.find("The set could not be saved with its files:\n\n1: " + file("A/gong.wav")),
              std::string::npos)
        << pack.err;
    EXPECT_FALSE(fs::exists(file("P/gong.wav")));
}

TEST_F(PackTest, pack_copiesIntoTheFolder_neverReplaces_andTouchesNothingElse) {
    fs::create_directories(file("other"));
    writeBytes(file("other/gong.wav"), canonical(8000, 30000));
    ASSERT_EQ(cli({"compose", "-o", "two.cfg", "--message", "1=A/gong.wav", "--message", "2=other/gong.wav"}).status,
              0);
    const auto before = tree(m_folder);

    auto pack = cli({"pack", "two.cfg", "-o", "P"});
    ASSERT_EQ(pack.status, 0) << pack.err;
    EXPECT_EQ(pack.out, file("P/two.cfg") + "\n");
    auto after = tree(m_folder);
    for (const auto& [name, content] : before)
        EXPECT_EQ(after[name], content) << name;
    EXPECT_EQ(after.size(), before.size() + 3);
    EXPECT_EQ(after["P/gong.wav"], before.at("A/gong.wav"));
    EXPECT_EQ(after["P/gong (2).wav"], before.at("other/gong.wav"));

    // Packed again into the same folder: the copies there are used, the configuration file gets a number.
    auto again = cli({"pack", "two.cfg", "-o", "P"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, file("P/two (2).cfg") + "\n");
    EXPECT_EQ(tree(m_folder).size(), before.size() + 4);
    EXPECT_EQ(readBytes(file("P/two (2).cfg")), after.at("P/two.cfg"));

    // The folder moved again opens with both files, each where it belongs.
    fs::rename(file("P"), file("Q"));
    auto info = cli({"info", "Q/two.cfg"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find(file("Q/gong (2).wav") + "\n"), std::string::npos) << info.out;
}

TEST_F(PackTest, packWithoutAFolder_isAUsageError) {
    EXPECT_EQ(cli({"pack", "A/set.cfg"}).status, 2);
    EXPECT_EQ(cli({"pack", "-o", "P"}).status, 2);
    EXPECT_FALSE(fs::exists(file("P")));
}
