// A set that travels with its files, through the main window: a moved set opened from the File menu stays
// changed, "Save as with its files…" packs it and makes the copy the current set, and the upload takes files
// carried beside the set after it was opened.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/ConfigFile.h"
#include "editor/FormTexts.h"
#include "shell/FileCommands.h"
#include "unitlink/UploadFixture.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kBase = "Tavro message manager ";

/// The upload's editor and unit with the File menu's commands; a set of two files composed in folder A and
/// saved there as set.cfg.
struct TravellingSet : UploadFixture {
    FileCommands commands{test.platform, app, mdi, editor};
    std::string a = test.folder.file("A") + kSeparator;
    std::string b = test.folder.file("B") + kSeparator;
    std::string c = test.folder.file("C") + kSeparator;

    TravellingSet() {
        app.strBaseCaption = kBase;
        fs::create_directories(a);
        writeFileBytes(a + "gong.wav", waveBytes(16044, 1));
        writeFileBytes(a + "chime.wav", waveBytes(9000, 2));
        choose(1, a + "gong.wav");
        choose(2, a + "chime.wav");
        test.fileDialog.chooseNext(a + "set.cfg");
        EXPECT_TRUE(commands.saveAs());
        test.fileDialog.requests.clear();
    }
    void open(const std::string& file) {
        test.fileDialog.chooseNext(file);
        mdi.Open.click();
    }
};

TEST(SetWithFiles, movedSetOpenedFromTheMenu_holdsTheNewPathsAndIsStillToBeSaved) {
    TravellingSet t;
    fs::rename(t.a, t.b);
    t.open(t.b + "set.cfg");
    EXPECT_EQ(t.form.FilePath[2], t.b + "chime.wav");
    EXPECT_TRUE(t.app.blnChanged);
    EXPECT_EQ(t.status(),
              TravellingSet::trimmed(t.form.StatusText[kStatusCaption]) + " Message files found beside the set: 2");

    // Saved, the set opens in its place as no change.
    t.mdi.Save.click();
    t.open(t.b + "set.cfg");
    EXPECT_EQ(t.form.FilePath[2], t.b + "chime.wav");
    EXPECT_FALSE(t.app.blnChanged);
}

TEST(SetWithFiles, saveAsWithItsFiles_asksForAFolderAndTheCopyBecomesTheCurrentSet) {
    TravellingSet t;
    t.app.blnChanged = true;
    t.test.fileDialog.chooseNext(t.test.folder.file("C"));
    t.mdi.Save_as_with_its_files.click();

    ASSERT_EQ(t.test.fileDialog.requests.size(), 1u);
    EXPECT_TRUE(t.test.fileDialog.requests[0].folder);
    EXPECT_EQ(t.test.fileDialog.requests[0].title, "Choose the folder for the set and its files");
    EXPECT_EQ(t.test.fileDialog.requests[0].initDir, t.a);
    EXPECT_EQ(t.form.FilePath[1], t.c + "gong.wav");
    EXPECT_EQ(t.form.MessageFile, "set.cfg");
    EXPECT_EQ(t.app.strMSGFilePath, t.c);
    EXPECT_EQ(t.mdi.caption(), std::string(kBase) + "set.cfg");
    EXPECT_FALSE(t.app.blnChanged);
    EXPECT_TRUE(fs::exists(t.c + "set.cfg"));

    // Save now writes the copy, not the original.
    const auto original = fs::last_write_time(t.a + "set.cfg");
    t.mdi.Save.click();
    EXPECT_EQ(fs::last_write_time(t.a + "set.cfg"), original);
}

TEST(SetWithFiles, saveAsWithItsFilesCancelled_changesNothing) {
    TravellingSet t;
    t.app.blnChanged = true;
    t.test.fileDialog.cancelNext();
    EXPECT_FALSE(t.commands.saveAsWithFiles());
    EXPECT_EQ(t.form.FilePath[1], t.a + "gong.wav");
    EXPECT_EQ(t.form.MessageFile, "set.cfg");
    EXPECT_TRUE(t.app.blnChanged);
}

TEST(SetWithFiles, filesCarriedBesideTheSetAfterItWasOpened_areUploaded) {
    TravellingSet t;
    fs::rename(t.a, t.b);
    fs::create_directories(t.c);
    fs::rename(t.b + "gong.wav", t.c + "gong.wav");
    fs::rename(t.b + "chime.wav", t.c + "chime.wav");
    t.open(t.b + "set.cfg");
    ASSERT_EQ(t.form.FilePath[1], t.a + "gong.wav");
    t.test.msgBox.shown.clear();

    fs::rename(t.c + "gong.wav", t.b + "gong.wav");
    fs::rename(t.c + "chime.wav", t.b + "chime.wav");
    t.upload();

    EXPECT_EQ(t.status(), t.statusOf(kStatusUploadDone));
    EXPECT_EQ(t.form.FilePath[1], t.b + "gong.wav");
    EXPECT_TRUE(t.app.blnChanged);
    EXPECT_EQ(t.memory(0, 16044), TravellingSet::fileBytes(t.b + "gong.wav"));
}

}  // namespace
