// The upload display of kvt3310-cli: status lines and the progress bar drawn from the editor's controls.
#include <gtest/gtest.h>

#include <sstream>

#include "UploadDisplay.h"
#include "shell/Application.h"
#include "support/TestPlatform.h"

namespace {

struct UploadDisplayTest : ::testing::Test {
    TestPlatform test;
    Application application{test.platform};
    Form1& form = application.form();
    std::ostringstream err;
};

TEST_F(UploadDisplayTest, statusChanges_giveOneLineEachAndBareStatusNone) {
    UploadDisplay display(form, err, false);
    form.sbrStatus.setPanelText(1, "STATUS: Erasing data...");
    form.sbrStatus.setPanelText(1, "STATUS: Erasing data...");
    form.sbrStatus.setPanelText(1, "STATUS: ");
    form.sbrStatus.setPanelText(2, "RS232 PORT: COM1");
    form.sbrStatus.setPanelText(1, "STATUS: Erasing data successfully!");
    EXPECT_EQ(err.str(), "STATUS: Erasing data...\nSTATUS: Erasing data successfully!\n");
    EXPECT_EQ(display.lastStatus(), "STATUS: Erasing data successfully!");
}

TEST_F(UploadDisplayTest, progressOnATerminal_redrawsInPlaceWithBytesAndRemainingTime) {
    UploadDisplay display(form, err, true);
    form.ProgressBar1.setMax(1000000);
    form.ProgressBar1.setVisible(true);
    err.str("");
    form.ProgressBar1.setValue(450000);
    EXPECT_EQ(err.str(), "\r[#############                 ] 450000/1000000 bytes  \x1b[K");
    err.str("");
    form.Lb_Percentage.setCaption("45%    Remaining Time: 00:01:13");
    EXPECT_EQ(err.str(),
              "\r[#############                 ] 450000/1000000 bytes  45%    Remaining Time: 00:01:13\x1b[K");
    err.str("");
    // A status line starts below the bar.
    form.sbrStatus.setPanelText(1, "STATUS: Message and configuration upload successfully!");
    EXPECT_EQ(err.str(), "\nSTATUS: Message and configuration upload successfully!\n");
}

TEST_F(UploadDisplayTest, progressElsewhere_writesNoBar) {
    UploadDisplay display(form, err, false);
    form.ProgressBar1.setMax(1000);
    form.ProgressBar1.setVisible(true);
    form.ProgressBar1.setValue(500);
    form.Lb_Percentage.setCaption("50%    Remaining Time: 00:00:01");
    EXPECT_EQ(err.str(), "");
}

}  // namespace
