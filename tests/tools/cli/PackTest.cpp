// kvt3310-cli with a set that travels: info of a moved set, a file beside it that is not its own, and pack, which
// keeps two files of one name apart and changes nothing outside its folder.
#include <filesystem>
#include <map>

#include "CliFixture.h"
#include "support/WaveBytes.h"

using namespace WaveBytes;

namespace fs = std::filesystem;

class PackTest : public CliFixture {
protected:
    /// Slot 1 holds A/gong.wav, slot 2 A/other/gong.wav; the set is saved as A/set.cfg and A renamed to B.
    void SetUp() override {
        CliFixture::SetUp();
        fs::create_directories(file("A/other"));
        writeBytes(file("A/gong.wav"), canonical(8000, 16000));
        writeBytes(file("A/other/gong.wav"), canonical(22050, 44100));
        ASSERT_EQ(
            cli({"compose", "-o", "A/set.cfg", "--message", "1=A/gong.wav", "--message", "2=A/other/gong.wav"}).status,
            0);
        fs::rename(file("A"), file("B"));
    }
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> all;
        for (const auto& entry : fs::recursive_directory_iterator(m_folder))
            if (entry.is_regular_file())
                all[fs::relative(entry.path(), m_folder).generic_string()] = readBytes(entry.path().string());
        return all;
    }
};

TEST_F(PackTest, movedSet_infoShowsTheFilesBesideIt_andPackCopiesThemApartChangingNothingElse) {
    auto info = cli({"info", "B/set.cfg"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.err, "STATUS: Message files found beside the set: 2\n");
    EXPECT_EQ(info.out, "B/set.cfg: 2 messages\n  1 gong: 1.00 s, 16 kB (16100 bytes), 8.000 kHz, " +
                            file("B/gong.wav") + "\n  2 gong: 1.00 s, 44 kB (44450 bytes), 22.050 kHz, " +
                            file("B/other/gong.wav") + "\n");

    const auto before = files();
    auto pack = cli({"pack", "B/set.cfg", "-o", "P"});
    ASSERT_EQ(pack.status, 0) << pack.err;
    EXPECT_EQ(pack.out, file("P/set.cfg") + "\n");
    auto after = files();
    for (const auto& [name, content] : before)
        EXPECT_TRUE(after[name] == content) << name;
    EXPECT_EQ(after.size(), before.size() + 3);
    EXPECT_TRUE(after["P/gong (2).wav"] == before.at("B/other/gong.wav"));

    fs::rename(file("P"), file("Q"));
    EXPECT_NE(cli({"info", "Q/set.cfg"}).out.find(file("Q/gong (2).wav") + "\n"), std::string::npos);
}

TEST_F(PackTest, fileBesideOfAnotherSize_isNamedAndNotTaken) {
    writeBytes(file("B/gong.wav"), canonical(8000, 20000));
    auto info = cli({"info", "B/set.cfg"});
    EXPECT_EQ(info.status, 1);
    EXPECT_NE(info.err.find("it was not used:\n\n1: " + file("B/gong.wav") + "\n"), std::string::npos) << info.err;
    EXPECT_NE(info.out.find(file("A/gong.wav") + " (not found)\n"), std::string::npos) << info.out;
    EXPECT_EQ(cli({"pack", "B/set.cfg", "-o", "P"}).status, 1);
    EXPECT_FALSE(fs::exists(file("P")));
}
