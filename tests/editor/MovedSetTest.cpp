// A set carried to another folder or PC with its wave files: opened with every slot filled from the files beside
// it, counted on the status line and as a change, saved with the new paths; a file of the name that is not the
// set's is named, not taken.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/ConfigFile.h"
#include "editor/EditorFixture.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

void writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines)
        out << line << "\r\n";
}

/// Lines 14 and 16 of the file hold the paths of slots 1 and 2.
constexpr int kPath1 = 13, kPath2 = 15;

struct MovedSet : EditorFixture {
    std::string a = test.folder.file("A") + kSeparator;
    std::string b = test.folder.file("B") + kSeparator;

    /// Composes a set in folder A (gong.wav beside it, chime.wav in its folder "waves") and saves A/set.cfg.
    MovedSet() {
        fs::create_directories(a + "waves");
        WaveFiles::writeOfLength(a + "gong.wav", 16044);
        WaveFiles::writeOfLength(a + "waves" + kSeparator + "chime.wav", 20044);
        choose(1, a + "gong.wav");
        choose(2, a + "waves" + kSeparator + "chime.wav");
        EXPECT_TRUE(editor.config().SaveConfig(a + "set.cfg"));
        app.blnChanged = false;
    }
    /// A fresh editor on the same files opens `file`.
    struct Reader {
        AppState app;
        Editor editor;
        explicit Reader(Platform& platform) : editor(platform, app) {
            editor.form().Caption = "KVT3310 editor";
            editor.form().Form_Load();
        }
    };
};

TEST(MovedSetTest, setMovedOrWrittenOnWindows_opensFromTheFilesBesideIt) {
    const struct {
        const char* name;
        const char* path1;  ///< slot 1's stored path; empty keeps A's
        const char* path2;
    } cases[] = {
        {"folder renamed", "", ""},
        {"Windows paths", "C:\\Users\\ann\\Sets\\gong.wav", "C:\\Users\\ann\\Sets\\waves\\chime.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MovedSet m;
        std::vector<std::string> stored = linesOf(m.a + "set.cfg");
        if (*c.path1) {
            stored[kPath1] = std::string("FilePath(1)=") + c.path1;
            stored[kPath2] = std::string("FilePath(2)=") + c.path2;
            writeLines(m.a + "set.cfg", stored);
        }
        fs::rename(m.a, m.b);

        MovedSet::Reader r(m.test.platform);
        Form1& f = r.editor.form();
        ASSERT_TRUE(r.editor.config().OpenConfig(m.b + "set.cfg"));

        EXPECT_EQ(f.FilePath[1], m.b + "gong.wav");
        EXPECT_EQ(f.FilePath[2], m.b + "waves" + kSeparator + "chime.wav");
        EXPECT_EQ(f.WaveFile[1].text(), "gong");
        EXPECT_EQ(r.editor.config().filesFoundBeside(), 2);
        EXPECT_EQ(f.sbrStatus.panelText(1), "Status: Message files found beside the set: 2");
        EXPECT_TRUE(r.app.blnChanged);
        EXPECT_TRUE(m.test.msgBox.shown.empty());

        // Saved again, the file differs from the stored one in the two paths alone.
        ASSERT_TRUE(r.editor.config().SaveConfig(m.b + "again.cfg"));
        std::vector<std::string> expected = stored;
        expected[kPath1] = "FilePath(1)=" + m.b + "gong.wav";
        expected[kPath2] = "FilePath(2)=" + m.b + "waves" + kSeparator + "chime.wav";
        EXPECT_EQ(linesOf(m.b + "again.cfg"), expected);
    }
}

TEST(MovedSetTest, fileBesideOfAnotherSize_isNamedAndNotTaken) {
    MovedSet m;
    fs::rename(m.a, m.b);
    WaveFiles::writeOfLength(m.b + "gong.wav", 30044);

    MovedSet::Reader r(m.test.platform);
    Form1& f = r.editor.form();
    const std::string statusBefore = f.sbrStatus.panelText(1);
    ASSERT_TRUE(r.editor.config().OpenConfig(m.b + "set.cfg"));

    EXPECT_EQ(f.FilePath[1], m.a + "gong.wav");
    EXPECT_EQ(f.FilePath[2], m.b + "waves" + kSeparator + "chime.wav");
    EXPECT_EQ(r.editor.config().filesFoundBeside(), 1);
    ASSERT_EQ(m.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(m.test.msgBox.shown[0].text,
              "A file of this name lies beside the set, but its size or form differs from the set's file; it was not "
              "used:\n\n1: " +
                  m.b + "gong.wav");
    EXPECT_EQ(m.test.msgBox.beeps, 1);
    EXPECT_NE(f.sbrStatus.panelText(1), statusBefore);
}

TEST(MovedSetTest, setInItsPlace_opensAsStoredWithoutAWord) {
    MovedSet m;
    MovedSet::Reader r(m.test.platform);
    Form1& f = r.editor.form();
    const std::string statusBefore = f.sbrStatus.panelText(1);
    ASSERT_TRUE(r.editor.config().OpenConfig(m.a + "set.cfg"));
    EXPECT_EQ(f.FilePath[1], m.a + "gong.wav");
    EXPECT_EQ(r.editor.config().filesFoundBeside(), 0);
    EXPECT_EQ(f.sbrStatus.panelText(1), statusBefore);
    EXPECT_TRUE(m.test.msgBox.shown.empty());
}

}  // namespace
