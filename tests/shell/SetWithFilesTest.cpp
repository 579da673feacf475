// A set that travels with its files, through the main window: a moved set opened from the File menu is still to
// be saved, "Save as with its files…" makes the copy the current set, and the upload takes files carried beside
// the set after it was opened.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/FormTexts.h"
#include "shell/FileCommands.h"
#include "unitlink/UploadFixture.h"

namespace {

namespace fs = std::filesystem;

/// The upload's editor and unit with the File menu; a set of two files composed in folder A and saved there.
struct TravellingSet : UploadFixture {
    FileCommands commands{test.platform, app, mdi, editor};
    std::string a = test.folder.file("A") + kSeparator, b = test.folder.file("B") + kSeparator;

    TravellingSet() {
        fs::create_directories(a);
        writeFileBytes(a + "gong.wav", waveBytes(16044, 1));
        writeFileBytes(a + "chime.wav", waveBytes(9000, 2));
        choose(1, a + "gong.wav");
        choose(2, a + "chime.wav");
        test.fileDialog.chooseNext(a + "set.cfg");
        EXPECT_TRUE(commands.saveAs());
        fs::rename(a, b);
    }
    void open() {
        test.fileDialog.chooseNext(b + "set.cfg");
        mdi.Open.click();
    }
};

TEST(SetWithFiles, movedSetOpened_isStillToBeSaved_andSavedWithItsFilesTheCopyBecomesTheSet) {
    TravellingSet t;
    t.open();
    EXPECT_EQ(t.form.FilePath[2], t.b + "chime.wav");
    EXPECT_TRUE(t.app.blnChanged);
    EXPECT_EQ(t.status(),
              TravellingSet::trimmed(t.form.StatusText[kStatusCaption]) + " Message files found beside the set: 2");

    const std::string c = t.test.folder.file("C") + kSeparator;
    t.test.fileDialog.requests.clear();
    t.test.fileDialog.chooseNext(c);
    t.mdi.Save_as_with_its_files.click();

    ASSERT_EQ(t.test.fileDialog.requests.size(), 1u);
    EXPECT_TRUE(t.test.fileDialog.requests[0].folder);
    EXPECT_EQ(t.test.fileDialog.requests[0].title, "Choose the folder for the set and its files");
    EXPECT_EQ(t.test.fileDialog.requests[0].initDir, t.b);
    EXPECT_EQ(t.form.FilePath[1], c + "gong.wav");
    EXPECT_EQ(t.app.strMSGFilePath + t.form.MessageFile, c + "set.cfg");
    EXPECT_EQ(t.mdi.caption(), t.app.strBaseCaption + "set.cfg");
    EXPECT_FALSE(t.app.blnChanged);
}

TEST(SetWithFiles, filesCarriedBesideTheSetAfterItWasOpened_areUploaded) {
    TravellingSet t;
    const std::string away = t.test.folder.file("away.wav");
    fs::rename(t.b + "gong.wav", away);
    t.open();
    ASSERT_EQ(t.form.FilePath[1], t.a + "gong.wav");
    fs::rename(away, t.b + "gong.wav");
    t.upload();

    EXPECT_EQ(t.status(), t.statusOf(kStatusUploadDone));
    EXPECT_EQ(t.form.FilePath[1], t.b + "gong.wav");
    EXPECT_EQ(t.memory(0, 16044), TravellingSet::fileBytes(t.b + "gong.wav"));
}

}  // namespace
