// The choice of the program folder: the program file's folder while it is writable, else the user's own
// folder given copies of the shipped language and help files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ProgramFolder.h"
#include "support/TestPlatform.h"

namespace {

namespace fs = std::filesystem;

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Folders : ::testing::Test {
    TempFolder root;
    std::string installed = root.file("installed");
    std::string user = root.file("home/.config/KVT3310");
    void SetUp() override {
        fs::create_directories(installed);
        writeText(installed + "/kvt3310", "program");
        writeText(installed + "/de.lng", "shipped de");
        writeText(installed + "/el.lng", "shipped el");
        writeText(installed + "/IFU Tavro Message manager.TXT", "help");
    }
    /// A test in place of the probe: root may write anywhere, so read-only folders are told by name.
    ProgramFolder readOnly(const std::string& folder) const {
        return ProgramFolder([folder](const std::string& f) { return f != folder; });
    }
};

TEST_F(Folders, writableProgramFolder_isUsedAndNothingIsCopied) {
    EXPECT_EQ(readOnly("").choose(installed, user), installed);
    EXPECT_FALSE(fs::exists(user));
}

TEST_F(Folders, readOnlyProgramFolder_userFolderIsCreatedWithCopiesOfShippedFilesOnly) {
    EXPECT_EQ(readOnly(installed).choose(installed, user), user);
    EXPECT_EQ(readText(user + "/de.lng"), "shipped de");
    EXPECT_EQ(readText(user + "/el.lng"), "shipped el");
    EXPECT_EQ(readText(user + "/IFU Tavro Message manager.TXT"), "help");
    EXPECT_FALSE(fs::exists(user + "/kvt3310"));
}

TEST_F(Folders, secondStart_keepsTheUsersFilesAndAddsOnlyMissingOnes) {
    ASSERT_EQ(readOnly(installed).choose(installed, user), user);
    writeText(user + "/de.lng", "edited by the user");
    writeText(user + "/KVT3310.INI", "[Com settings]\r\n");
    fs::remove(user + "/el.lng");
    EXPECT_EQ(readOnly(installed).choose(installed, user), user);
    EXPECT_EQ(readText(user + "/de.lng"), "edited by the user");
    EXPECT_EQ(readText(user + "/el.lng"), "shipped el");
    EXPECT_EQ(readText(user + "/KVT3310.INI"), "[Com settings]\r\n");
}

TEST_F(Folders, neitherFolderWritable_staysWithTheProgramFolder) {
    ProgramFolder nothingWritable([](const std::string&) { return false; });
    EXPECT_EQ(nothingWritable.choose(installed, user), installed);
    EXPECT_EQ(readOnly(installed).choose(installed, ""), installed);
}

TEST(ProgramFolderProbe, existingFolderIsWritable_missingFolderIsNot_probeLeavesNothing) {
    TempFolder folder;
    EXPECT_TRUE(ProgramFolder::canCreateFiles(folder.path()));
    EXPECT_TRUE(fs::is_empty(folder.path()));
    EXPECT_FALSE(ProgramFolder::canCreateFiles(folder.file("missing")));
    EXPECT_TRUE(ProgramFolder::isShippedFile("Contacts Norvik.TXT"));
    EXPECT_TRUE(ProgramFolder::isShippedFile("fi.lng"));
    EXPECT_FALSE(ProgramFolder::isShippedFile("KVT3310.INI"));
    EXPECT_FALSE(ProgramFolder::isShippedFile("kvt3310"));
}

}  // namespace
