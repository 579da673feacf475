// Whole-file saves on disk: through symbolic links, keeping permissions, and leaving the old file whole when
// they fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <system_error>

#include "support/TestPlatform.h"

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Nothing but the names given is left in the folder: no temporary file stays behind.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/// Windows makes symbolic links only with a privilege or in developer mode, and Wine not at all.
bool canLink(const std::string& folder) {
    std::error_code ec;
    fs::create_symlink("nowhere", fs::path(folder) / "probe-link", ec);
    fs::remove(fs::path(folder) / "probe-link");
    return !ec;
}

TEST(StdFileSystem, saveThroughASymbolicLink_keepsTheLinkAndWritesItsTarget) {
    TestPlatform test;
    if (!canLink(test.folder.path()))
        GTEST_SKIP() << "no symbolic links on this system";
    fs::create_directory(test.folder.file("sets"));
    const std::string target = test.folder.file("sets/real.cfg");
    ASSERT_TRUE(test.fs.writeFileAtomic(target, "old\r\n"));
    // One link names its target relative to its own folder, the other through a second link.
    fs::create_symlink(fs::path("sets") / "real.cfg", test.folder.file("link.cfg"));
    fs::create_symlink(test.folder.file("link.cfg"), test.folder.file("second.cfg"));

    ASSERT_TRUE(test.fs.writeFileAtomic(test.folder.file("link.cfg"), "new\r\n"));
    EXPECT_TRUE(fs::is_symlink(test.folder.file("link.cfg")));
    EXPECT_EQ(bytesOf(target), "new\r\n");

    ASSERT_TRUE(test.fs.writeFileAtomic(test.folder.file("second.cfg"), "newer\r\n"));
    EXPECT_TRUE(fs::is_symlink(test.folder.file("second.cfg")));
    EXPECT_TRUE(fs::is_symlink(test.folder.file("link.cfg")));
    EXPECT_EQ(bytesOf(target), "newer\r\n");
    EXPECT_EQ(namesIn(test.folder.file("sets")), std::vector<std::string>{"real.cfg"});
}

TEST(StdFileSystem, linkToAMissingFile_createsTheTarget_linksInACircle_fail) {
    TestPlatform test;
    if (!canLink(test.folder.path()))
        GTEST_SKIP() << "no symbolic links on this system";
    fs::create_symlink("made.txt", test.folder.file("link.txt"));
    ASSERT_TRUE(test.fs.writeFileAtomic(test.folder.file("link.txt"), "x"));
    EXPECT_TRUE(fs::is_symlink(test.folder.file("link.txt")));
    EXPECT_EQ(bytesOf(test.folder.file("made.txt")), "x");

    fs::create_symlink("b", test.folder.file("a"));
    fs::create_symlink("a", test.folder.file("b"));
    EXPECT_FALSE(test.fs.writeFileAtomic(test.folder.file("a"), "x"));
    EXPECT_TRUE(fs::is_symlink(test.folder.file("a")));
}

TEST(StdFileSystem, save_keepsTheFilesPermissions) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows files have no owner, group and others bits";
#endif
    TestPlatform test;
    const std::string path = test.folder.file("MessageSetup.cfg");
    ASSERT_TRUE(test.fs.writeFileAtomic(path, "old"));
    const auto shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::group_write | fs::perms::others_read;
    fs::permissions(path, shared);
    ASSERT_TRUE(test.fs.writeFileAtomic(path, "new"));
    EXPECT_EQ(fs::status(path).permissions(), shared);

    const auto own = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(path, own);
    ASSERT_TRUE(test.fs.writeFileAtomic(path, "newer"));
    EXPECT_EQ(fs::status(path).permissions(), own);
    EXPECT_EQ(bytesOf(path), "newer");
}

TEST(StdFileSystem, refusedSave_leavesThePreviousBytesAndNoTemporaryFile) {
    TestPlatform test;
    const std::string path = test.folder.file("PrintSetup.txt");
    ASSERT_TRUE(test.fs.writeFileAtomic(path, "previous\r\n"));
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_FALSE(test.fs.writeFileAtomic(path, "new"));
    EXPECT_EQ(bytesOf(path), "previous\r\n");

    EXPECT_FALSE(test.fs.writeFileAtomic(test.folder.file("missing/folder/x.cfg"), "new"));
    fs::create_directory(test.folder.file("adir"));
    EXPECT_FALSE(test.fs.writeFileAtomic(test.folder.file("adir"), "new"));
    EXPECT_EQ(namesIn(test.folder.path()), (std::vector<std::string>{"PrintSetup.txt", "adir"}));
}

TEST(StdFileSystem, savesNearTheLimits_aLongNameAndAPathBeyond260Characters) {
    TestPlatform test;
    const std::string longName = std::string(245, 'n') + ".cfg";
    std::string deepFolder = test.folder.path();
    for (int depth = 0; deepFolder.size() < 300; ++depth) {
        deepFolder += "/" + std::string(60, static_cast<char>('a' + depth));
        fs::create_directory(deepFolder);
    }
    for (const std::string& path : {test.folder.file(longName), deepFolder + "/MessageSetup.cfg"}) {
        SCOPED_TRACE(path.size());
        ASSERT_TRUE(test.fs.writeFileAtomic(path, "first\r\n"));
        ASSERT_TRUE(test.fs.writeFileAtomic(path, "second\r\n"));
        EXPECT_EQ(test.fs.readFile(path).value_or(""), "second\r\n");
        for (const std::string& name : namesIn(fs::path(path).parent_path().string()))
            EXPECT_EQ(name.find("tmp"), std::string::npos) << name;
    }
}

TEST(StdFileSystem, failures_leaveTheSystemsReasonUntilTheNextOperation) {
    TestPlatform test;
    StdFileSystem& files = test.fs;
    const std::string folder = test.folder.file("folder");
    fs::create_directory(folder);
    const std::string missing = test.folder.file("none") + kSeparator + "x.cfg";
    const std::string isDirectory = std::make_error_code(std::errc::is_a_directory).message();
    const std::string noSuchFile = std::make_error_code(std::errc::no_such_file_or_directory).message();
    struct Case {
        const char* name;
        std::function<bool()> fails;
        std::string reason;
    };
    const Case cases[] = {
        {"save onto a folder", [&] { return !files.writeFileAtomic(folder, "x"); }, isDirectory},
        {"save into a missing folder", [&] { return !files.writeFileAtomic(missing, "x"); }, noSuchFile},
        {"append to a folder", [&] { return !files.appendFile(folder, "x"); }, isDirectory},
        {"append in a missing folder", [&] { return !files.appendFile(missing, "x"); }, noSuchFile},
        {"read a folder", [&] { return !files.readFile(folder); }, isDirectory},
        {"read a missing file", [&] { return !files.readFile(missing); }, noSuchFile},
        {"open a folder", [&] { return !files.openRead(folder); }, isDirectory},
        {"open a missing file", [&] { return !files.openRead(missing); }, noSuchFile},
        {"make a folder in a missing one", [&] { return !files.makeFolder(missing); }, noSuchFile},
        {"make a folder where a file is", [&] { return !files.makeFolder(test.folder.file("good.txt")); },
         std::make_error_code(std::errc::file_exists).message()},
    };
    const std::string good = test.folder.file("good.txt");
    for (const Case& c : cases) {
        ASSERT_TRUE(c.fails()) << c.name;
        EXPECT_EQ(files.lastError(), c.reason) << c.name;
        ASSERT_TRUE(files.writeFileAtomic(good, "fine"));
        EXPECT_EQ(files.lastError(), "") << c.name;
    }
}

}  // namespace
