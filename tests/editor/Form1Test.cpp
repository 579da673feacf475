// The editor's start state and the totals of the message set, sizes beyond 32 bits included.
#include <gtest/gtest.h>

#include "editor/Form1.h"
#include "settings/AppState.h"
#include "support/TestPlatform.h"

namespace {

struct Blank {
    TestPlatform test;
    AppState app;
    Form1 form{test.platform, app};
    Blank() { form.Form_Load(); }
};

TEST(Form1, newEditor_showsEmptySetWithOnlyFirstRowsUsable) {
    Blank e;
    Form1& f = e.form;
    for (int i = 1; i <= Form1::kSlots; ++i) {
        EXPECT_EQ(f.Bt_Browse[i].enabled(), i == 1) << i;
        EXPECT_FALSE(f.MsgBt[i].enabled());
        EXPECT_EQ(f.MsgBt[i].caption(), ">");
        EXPECT_EQ(f.WaveFile[i].text(), "");
        EXPECT_EQ(f.TMsgSize[i], 0);
    }
    for (int s = 1; s <= Form1::kTriggers * Form1::kSteps; ++s) {
        EXPECT_EQ(f.TRG1[s].enabled(), s % 4 == 1) << s;
        EXPECT_TRUE(f.TRG1[s].list().empty());
    }
    for (int t = 1; t <= Form1::kTriggers; ++t)
        EXPECT_FALSE(f.TrgBt[t].enabled());
    EXPECT_EQ(f.TotalTime.caption(), "");
    EXPECT_EQ(f.TFileLength, 0);
    EXPECT_EQ(f.MessageFile, "MessageSetup.cfg");
    EXPECT_EQ(f.MDI_MsgInfo[0].caption(), "Do you want to save the changes?");
    EXPECT_EQ(f.MDI_MsgInfo[1].caption(), "Com port not connected!");
    EXPECT_FALSE(f.ProgressBar1.visible());
    EXPECT_FALSE(f.Picture1.visible());
}

TEST(Form1, recalcTotals_leavesOutSlotsWhoseSizeShowsZero) {
    Blank e;
    Form1& f = e.form;
    f.MsgTime[1].setCaption("1.40");
    f.MsgSize[1].setCaption("32");
    f.TMsgSize[1] = 32200;
    f.MsgTime[2].setCaption("1.40");
    f.MsgSize[2].setCaption("35");
    f.TMsgSize[2] = 35350;
    f.MsgTime[3].setCaption("0.01");
    f.MsgSize[3].setCaption("0");
    f.TMsgSize[3] = 700;
    f.RecalcTotals();
    EXPECT_EQ(f.TotalTime.caption(), "2.80");
    EXPECT_EQ(f.TotalSize.caption(), "67");
    EXPECT_EQ(f.TFileLength, 67550);
}

TEST(Form1, recalcTotals_sizesSummingBeyond32Bits_holdTheLimitWithoutWrapping) {
    Blank e;
    Form1& f = e.form;
    for (int i = 1; i <= 3; ++i) {
        f.MsgTime[i].setCaption("1.00");
        f.MsgSize[i].setCaption("2000000");
        f.TMsgSize[i] = 2000000000;
    }
    f.RecalcTotals();
    EXPECT_EQ(f.TFileLength, 2147483647);
    EXPECT_EQ(f.TotalSize.caption(), "6000000");
    EXPECT_EQ(f.TotalTime.caption(), "3.00");
}

}  // namespace
