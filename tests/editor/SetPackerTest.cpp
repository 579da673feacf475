// Saving a set with its files into one folder: copies and their names, nothing replaced, the originals only read,
// the packed folder opening after it moved again, and sets that cannot be packed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "editor/ConfigFile.h"
#include "editor/EditorFixture.h"
#include "editor/SetPacker.h"

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Every file under `folder` with its bytes, by its path inside it (a folder with "/" and nothing).
std::map<std::string, std::string> tree(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[fs::relative(entry.path(), folder).generic_string() + (entry.is_directory() ? "/" : "")] =
            entry.is_directory() ? "" : bytesOf(entry.path().string());
    return files;
}

std::vector<std::string> namesOf(const std::map<std::string, std::string>& files) {
    std::vector<std::string> names;
    for (const auto& entry : files)
        names.push_back(entry.first);
    return names;
}

TEST(SetPacker, numberedNames) {
    const struct {
        const char* name;
        int n;
        const char* numbered;
    } cases[] = {{"gong.wav", 1, "gong.wav"}, {"gong.wav", 2, "gong (2).wav"}, {"a.b.wav", 3, "a.b (3).wav"},
                 {"gong", 2, "gong (2)"},     {".wav", 2, ".wav (2)"},         {"set.cfg", 12, "set (12).cfg"}};
    for (const auto& c : cases)
        EXPECT_EQ(SetPacker::numbered(c.name, c.n), c.numbered) << c.name << " " << c.n;
}

struct Packing : EditorFixture {
    std::string out = test.folder.file("out");

    /// Slots 1 and 2 hold files named gong.wav from two folders, slot 3 chime.wav.
    Packing() {
        fs::create_directories(test.folder.file("x"));
        fs::create_directories(test.folder.file("y"));
        choose(1, wave("x/gong.wav", 16044));
        choose(2, wave("y/gong.wav", 20044));
        choose(3, wave("chime.wav", 8044, 8000));
    }
    std::optional<std::string> pack() { return editor.packer().pack(out, "set.cfg"); }
};

TEST(SetPacker, twoFilesOfOneName_areKeptApart_andTheOriginalsStayAsTheyWere) {
    Packing p;
    const auto before = tree(p.test.folder.path());
    const std::string o = p.out + kSeparator;

    ASSERT_EQ(p.pack(), o + "set.cfg");

    auto after = tree(p.test.folder.path());
    for (const auto& [name, content] : before)
        EXPECT_TRUE(after[name] == content) << name;
    const auto packed = tree(p.out);
    EXPECT_EQ(namesOf(packed), (std::vector<std::string>{"chime.wav", "gong (2).wav", "gong.wav", "set.cfg"}));
    EXPECT_TRUE(packed.at("gong.wav") == before.at("x/gong.wav"));
    EXPECT_TRUE(packed.at("gong (2).wav") == before.at("y/gong.wav"));
    EXPECT_EQ(p.form.FilePath[1], o + "gong.wav");
    EXPECT_EQ(p.form.FilePath[2], o + "gong (2).wav");
    EXPECT_EQ(p.form.WaveFile[2].text(), "gong");
    EXPECT_EQ(p.form.sbrStatus.panelText(1), "Status: The set and its message files were saved in: " + p.out);
    EXPECT_TRUE(p.test.msgBox.shown.empty());

    // Moved again, the folder opens with every file found beside it, each where it belongs.
    fs::rename(p.out, p.test.folder.file("moved"));
    const std::string m = p.test.folder.file("moved") + kSeparator;
    AppState app;
    Editor reader(p.test.platform, app);
    reader.form().Form_Load();
    ASSERT_TRUE(reader.config().OpenConfig(m + "set.cfg"));
    EXPECT_EQ(reader.config().filesFoundBeside(), 3);
    EXPECT_EQ(reader.form().FilePath[2], m + "gong (2).wav");
    EXPECT_TRUE(bytesOf(reader.form().FilePath[1]) == before.at("x/gong.wav"));
    EXPECT_TRUE(bytesOf(reader.form().FilePath[3]) == before.at("chime.wav"));
}

TEST(SetPacker, namesTakenInTheFolder_getANumberAndSameBytesAreUsedAsTheyAre) {
    const struct {
        const char* name;
        const char* present;      ///< a name already in the folder
        const char* presentFrom;  ///< the file whose bytes it holds; empty for a folder
        const char* slot1;        ///< slot 1's copy
        const char* config;
    } cases[] = {
        {"same bytes", "gong.wav", "x/gong.wav", "gong.wav", "set.cfg"},
        {"other bytes", "gong.wav", "chime.wav", "gong (2).wav", "set.cfg"},
        {"other letter case", "GONG.WAV", "chime.wav", "gong (2).wav", "set.cfg"},
        {"a folder", "gong.wav", "", "gong (2).wav", "set.cfg"},
        {"the configuration", "set.cfg", "chime.wav", "gong.wav", "set (2).cfg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Packing p;
        fs::create_directories(p.out);
        const std::string present = p.out + kSeparator + c.present;
        if (*c.presentFrom)
            fs::copy_file(p.test.folder.file(c.presentFrom), present);
        else
            fs::create_directories(present);
        const auto kept = tree(p.out);

        ASSERT_EQ(p.pack(), p.out + kSeparator + c.config);

        auto after = tree(p.out);
        for (const auto& [name, content] : kept)
            EXPECT_TRUE(after[name] == content) << name;
        EXPECT_EQ(p.form.FilePath[1], p.out + kSeparator + c.slot1);
        EXPECT_TRUE(bytesOf(p.form.FilePath[1]) == bytesOf(p.test.folder.file("x/gong.wav")));
        EXPECT_TRUE(bytesOf(p.form.FilePath[2]) == bytesOf(p.test.folder.file("y/gong.wav")));
    }
}

TEST(SetPacker, setThatCannotBePacked_namesTheFileAndTheCause_andChangesNothing) {
    const std::string missing = std::make_error_code(std::errc::no_such_file_or_directory).message();
    const struct {
        const char* name;
        std::string shown;  ///< after the text, with "@" for the test folder
    } cases[] = {
        {"missing file", "2: @y/gong.wav\n" + missing},
        {"file of another size", "2: @y/gong.wav\nThe file's size differs from the one the set shows."},
        {"folder cannot be made", "@no/out\n" + missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Packing p;
        const std::string gong = p.test.folder.file("y/gong.wav");
        if (std::string(c.name) == "missing file")
            fs::remove(gong);
        else if (std::string(c.name) == "file of another size")
            WaveFiles::writeOfLength(gong, 40044);
        else
            p.out = p.test.folder.file("no/out");
        const auto paths = p.form.FilePath;

        EXPECT_EQ(p.pack(), std::nullopt);

        std::string shown = c.shown;
        shown.replace(shown.find('@'), 1, p.test.folder.slashed());
        ASSERT_EQ(p.test.msgBox.shown.size(), 1u);
        EXPECT_EQ(p.test.msgBox.shown[0].text, "The set could not be saved with its files:\n\n" + shown);
        EXPECT_EQ(p.form.FilePath, paths);
        EXPECT_TRUE(!fs::exists(p.out) || fs::is_empty(p.out));
    }
}

}  // namespace
