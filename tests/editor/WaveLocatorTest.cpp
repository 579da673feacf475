// Finding a moved set's wave files: beside it, one folder down, Windows paths, letter case, and files of the name
// that are not the set's.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/WaveFiles.h"
#include "editor/WaveLocator.h"
#include "support/TestPlatform.h"

namespace {

using Where = WaveLocator::Where;

TEST(WaveLocator, lookupTable) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, std::uint32_t>> files;  ///< in the set's folder, with length (0: no WAVE)
        const char* stored;                                        ///< "@" stands for the set's folder
        Where where;
        const char* found;
    } cases[] = {
        {"at its path", {{"gong.wav", 16044}}, "@gong.wav", Where::AtPath, "gong.wav"},
        {"moved", {{"gong.wav", 16044}}, "/gone/A/gong.wav", Where::Beside, "gong.wav"},
        {"Windows path", {{"gong.wav", 16044}}, "C:\\Users\\ann\\gong.wav", Where::Beside, "gong.wav"},
        {"one folder down", {{"waves/gong.wav", 16044}}, "/gone/gong.wav", Where::Beside, "waves/gong.wav"},
        {"two folders down", {{"a/b/gong.wav", 16044}}, "/gone/gong.wav", Where::Missing, ""},
        {"other letter case", {{"GONG.WAV", 16044}}, "D:\\gong.wav", Where::Beside, "GONG.WAV"},
        {"other size", {{"gong.wav", 20044}}, "/gone/gong.wav", Where::Differs, "gong.wav"},
        {"right size below", {{"gong.wav", 20044}, {"x/gong.wav", 16044}}, "/g/gong.wav", Where::Beside, "x/gong.wav"},
        {"no WAVE file", {{"gong.wav", 0}}, "/gone/gong.wav", Where::Differs, "gong.wav"},
        {"no name", {{"gong.wav", 16044}}, "C:\\sets\\", Where::Missing, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform test;
        const std::filesystem::path set = test.folder.file("set");
        for (const auto& [name, length] : c.files) {
            std::filesystem::create_directories((set / name).parent_path());
            if (length == 0)
                WaveFiles::write((set / name).string(), std::string(16044, 'x'));
            else
                WaveFiles::writeOfLength((set / name).string(), length);
        }
        std::string stored = c.stored;
        if (stored[0] == '@')
            stored = (set / stored.substr(1)).string();
        const std::string found = *c.found ? (set / c.found).make_preferred().string() : "";
        // 16044 bytes are stored in 16100 bytes of the unit's memory.
        EXPECT_EQ(WaveLocator(test.fs, set.string()).locate(stored, 16100), (WaveLocator::Found{c.where, found}));
    }
    EXPECT_EQ(WaveLocator::folderOf("/sets/C:\\x\\hall.cfg", '/'), "/sets/");
}

}  // namespace
