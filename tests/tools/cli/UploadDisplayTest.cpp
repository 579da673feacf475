// The upload display of kvt3310-cli: status lines and the progress bar drawn from the editor's controls.
#include <gtest/gtest.h>

#include <sstream>

#include "UploadDisplay.h"
#include "platform/Label.h"
#include "platform/ProgressBar.h"
#include "platform/StatusBar.h"
#include "shell/HeadlessEditor.h"
#include "support/TestPlatform.h"

namespace {

struct UploadDisplayTest : ::testing::Test {
    TestPlatform test;
    HeadlessEditor editor{test.platform, test.folder.path()};
    std::ostringstream err;
};

TEST_F(UploadDisplayTest, statusChanges_giveOneLineEachAndBareStatusNone) {
    UploadDisplay display(editor, err, false);
    editor.statusBar().setPanelText(1, "STATUS: Erasing data...");
    editor.statusBar().setPanelText(1, "STATUS: Erasing data...");
    editor.statusBar().setPanelText(1, "STATUS: ");
    editor.statusBar().setPanelText(2, "RS232 PORT: COM1");
    editor.statusBar().setPanelText(1, "STATUS: Erasing data successfully!");
    EXPECT_EQ(err.str(), "STATUS: Erasing data...\nSTATUS: Erasing data successfully!\n");
    EXPECT_EQ(display.lastStatus(), "STATUS: Erasing data successfully!");
}

TEST_F(UploadDisplayTest, statusShownBeforeTheUpload_isNotToldAgain) {
    editor.statusBar().setPanelText(1, "STATUS: Message files found beside the set: 2");
    UploadDisplay display(editor, err, false);
    editor.statusBar().setPanelText(2, "RS232 PORT: COM1");
    editor.statusBar().setPanelText(1, "STATUS: Erasing data...");
    EXPECT_EQ(err.str(), "STATUS: Erasing data...\n");
}

TEST_F(UploadDisplayTest, progressOnATerminal_redrawsInPlaceWithBytesAndRemainingTime) {
    UploadDisplay display(editor, err, true);
    editor.progressBar().setMax(1000000);
    editor.progressBar().setVisible(true);
    err.str("");
    editor.progressBar().setValue(450000);
    EXPECT_EQ(err.str(), "\r[#############                 ] 450000/1000000 bytes  \x1b[K");
    err.str("");
    editor.percentage().setCaption("45%    Remaining Time: 00:01:13");
    EXPECT_EQ(err.str(),
              "\r[#############                 ] 450000/1000000 bytes  45%    Remaining Time: 00:01:13\x1b[K");
    err.str("");
    // A status line starts below the bar.
    editor.statusBar().setPanelText(1, "STATUS: Message and configuration upload successfully!");
    EXPECT_EQ(err.str(), "\nSTATUS: Message and configuration upload successfully!\n");
}

TEST_F(UploadDisplayTest, progressElsewhere_writesNoBar) {
    UploadDisplay display(editor, err, false);
    editor.progressBar().setMax(1000);
    editor.progressBar().setVisible(true);
    editor.progressBar().setValue(500);
    editor.percentage().setCaption("50%    Remaining Time: 00:00:01");
    EXPECT_EQ(err.str(), "");
}

}  // namespace
