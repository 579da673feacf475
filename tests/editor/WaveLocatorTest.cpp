// Finding a set's wave files after the set moved: beside it, one folder down, Windows paths, letter case, files
// of the name that are not the set's, and the names of paths written on either system.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/WaveFiles.h"
#include "editor/WaveLocator.h"
#include "support/TestPlatform.h"

namespace {

using Where = WaveLocator::Where;

/// 16044 bytes are stored as 16100; 20044 as 20300.
constexpr std::int32_t kStored = 16100;

TEST(WaveLocator, lookupTable) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, std::uint32_t>> files;  ///< path in the set's folder, length
        const char* stored;                                        ///< "@" stands for the set's folder
        Where where;
        const char* found;  ///< in the set's folder; empty for none
    } cases[] = {
        {"at its path", {{"gong.wav", 16044}}, "@gong.wav", Where::AtPath, "gong.wav"},
        {"moved beside the set", {{"gong.wav", 16044}}, "/gone/A/gong.wav", Where::Beside, "gong.wav"},
        {"Windows path", {{"gong.wav", 16044}}, "C:\\Users\\ann\\sets\\gong.wav", Where::Beside, "gong.wav"},
        {"one folder down", {{"waves/gong.wav", 16044}}, "/gone/gong.wav", Where::Beside, "waves/gong.wav"},
        {"beside comes first",
         {{"a/gong.wav", 16044}, {"gong.wav", 16044}},
         "/gone/gong.wav",
         Where::Beside,
         "gong.wav"},
        {"two folders down is too far", {{"a/b/gong.wav", 16044}}, "/gone/gong.wav", Where::Missing, ""},
        {"other letter case", {{"GONG.WAV", 16044}}, "D:\\gong.wav", Where::Beside, "GONG.WAV"},
        {"other size", {{"gong.wav", 20044}}, "/gone/gong.wav", Where::Differs, "gong.wav"},
        {"other size beside, right one below",
         {{"gong.wav", 20044}, {"x/gong.wav", 16044}},
         "/gone/gong.wav",
         Where::Beside,
         "x/gong.wav"},
        {"no WAVE file", {{"gong.wav", 0}}, "/gone/gong.wav", Where::Differs, "gong.wav"},
        {"a folder of the name", {{"gong.wav/x.wav", 16044}}, "/gone/gong.wav", Where::Missing, ""},
        {"nothing of the name", {{"chime.wav", 16044}}, "/gone/gong.wav", Where::Missing, ""},
        {"path ends in a separator", {{"gong.wav", 16044}}, "C:\\sets\\", Where::Missing, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform test;
        const std::string set = test.folder.file("set") + kSeparator;
        for (const auto& [name, length] : c.files) {
            const std::filesystem::path path = std::filesystem::path(set) / name;
            std::filesystem::create_directories(path.parent_path());
            if (length == 0)
                WaveFiles::write(path.string(), std::string(16044, 'x'));
            else
                WaveFiles::writeOfLength(path.string(), length);
        }
        std::string stored = c.stored;
        if (stored[0] == '@')
            stored = set + stored.substr(1);
        std::string expected;
        if (*c.found)
            expected = (std::filesystem::path(set) / c.found).make_preferred().string();
        EXPECT_EQ(WaveLocator(test.fs, set).locate(stored, kStored), (WaveLocator::Found{c.where, expected}));
    }
}

TEST(WaveLocator, withoutASetFolder_onlyTheStoredPathCounts) {
    TestPlatform test;
    WaveFiles::writeOfLength(test.folder.file("gong.wav"), 16044);
    EXPECT_EQ(WaveLocator(test.fs, "").locate("/gone/gong.wav", kStored).where, Where::Missing);
    EXPECT_EQ(WaveLocator(test.fs, test.folder.path()).locate("/gone/gong.wav", kStored).where, Where::Beside);
}

TEST(WaveLocator, namesAndFoldersOfPathsFromEitherSystem) {
    const struct {
        const char* path;
        const char* name;
        const char* folder;  ///< with "/" as this system's separator
    } cases[] = {
        {"C:\\Users\\ann\\gong.wav", "gong.wav", ""},
        {"/home/ann/gong.wav", "gong.wav", "/home/ann/"},
        {"/mnt/stick\\set\\gong.wav", "gong.wav", "/mnt/"},
        {"gong.wav", "gong.wav", ""},
        {"C:\\sets\\", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(WaveLocator::fileName(c.path), c.name);
        EXPECT_EQ(WaveLocator::folderOf(c.path, '/'), c.folder);
    }
    EXPECT_EQ(WaveLocator::folderOf("C:\\sets\\hall.cfg", '\\'), "C:\\sets\\");
}

}  // namespace
