// Saving a set with its files into one folder: names taken there (in any letter case) get a number, same bytes are
// used as they are, nothing is replaced, and a set that cannot be packed is named with the cause.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <system_error>

#include "editor/EditorFixture.h"
#include "editor/SetPacker.h"
#include "support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

/// Slot 1 holds x/gong.wav, slot 2 y/gong.wav (other bytes); `out` already holds a file or folder `present`.
struct Packing : EditorFixture {
    std::string out = test.folder.file("out") + kSeparator;
    Packing(const std::string& present, const char* from) {
        fs::create_directories(test.folder.file("x"));
        fs::create_directories(test.folder.file("y"));
        choose(1, wave("x/gong.wav", 16044));
        choose(2, wave("y/gong.wav", 20044));
        fs::create_directories(out);
        if (*from)
            fs::copy_file(test.folder.file(from), out + present);
        else
            fs::create_directories(out + present);
    }
};

TEST(SetPacker, namesTakenInTheFolder_getANumber_sameBytesAreUsedAsTheyAre) {
    const struct {
        const char* present;
        const char* from;  ///< the file whose bytes it holds; empty for a folder
        const char* slot1;
        const char* slot2;
        const char* config;
    } cases[] = {
        {"gong.wav", "x/gong.wav", "gong.wav", "gong (2).wav", "set.cfg"},
        {"gong.wav", "y/gong.wav", "gong (2).wav", "gong.wav", "set.cfg"},
        {"GONG.WAV", "y/gong.wav", "gong (2).wav", "GONG.WAV", "set.cfg"},
        {"gong.wav", "", "gong (2).wav", "gong (3).wav", "set.cfg"},
        {"set.cfg", "x/gong.wav", "gong.wav", "gong (2).wav", "set (2).cfg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.present) + " from " + c.from);
        Packing p(c.present, c.from);
        const auto x = readFileBytes(p.test.folder.file("x/gong.wav"));
        auto holds = [&] { return *c.from ? readFileBytes(p.out + c.present) : std::vector<std::uint8_t>(); };
        const auto present = holds();

        ASSERT_EQ(p.editor.packer().pack(p.out, "set.cfg"), p.out + c.config);

        EXPECT_EQ(p.form.FilePath[1], p.out + c.slot1);
        EXPECT_EQ(p.form.FilePath[2], p.out + c.slot2);
        EXPECT_TRUE(readFileBytes(p.form.FilePath[1]) == x);
        EXPECT_TRUE(holds() == present);
        EXPECT_TRUE(readFileBytes(p.test.folder.file("x/gong.wav")) == x);
        EXPECT_EQ(p.form.sbrStatus.panelText(1), "Status: The set and its message files were saved in: " + p.out);
    }
}

TEST(SetPacker, setThatCannotBePacked_namesTheFileAndTheCause_andChangesNothing) {
    for (const bool missing : {true, false}) {
        Packing p("old.wav", "x/gong.wav");
        const std::string y = p.test.folder.file("y/gong.wav");
        missing ? void(fs::remove(y)) : WaveFiles::writeOfLength(y, 40044);
        const auto paths = p.form.FilePath;

        EXPECT_EQ(p.editor.packer().pack(p.out, "set.cfg"), std::nullopt);

        const std::string cause = missing ? std::make_error_code(std::errc::no_such_file_or_directory).message()
                                          : "The file's size differs from the one the set shows.";
        ASSERT_EQ(p.test.msgBox.shown.size(), 1u);
        EXPECT_EQ(p.test.msgBox.shown[0].text, "The set could not be saved with its files:\n\n2: " + y + "\n" + cause);
        EXPECT_EQ(p.form.FilePath, paths);
        EXPECT_EQ(std::distance(fs::directory_iterator(p.out), fs::directory_iterator()), 1);
    }
}

}  // namespace
