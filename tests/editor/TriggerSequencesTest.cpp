// Sequence steps: the enabling pass, sequence times, play button enabling, the pick-only lock and the zones.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/EditorFixture.h"
#include "editor/MessageSlots.h"
#include "editor/TriggerSequences.h"

namespace {

struct TriggerSequencesTest : EditorFixture, ::testing::Test {
    /// Slots 1 to 3 shown with these playing times; every step list offers " ", "1", "2", "3".
    void threeMessages(const char* t1 = "1.25", const char* t2 = "2.50", const char* t3 = "0.75") {
        const char* times[] = {t1, t2, t3};
        for (int i = 1; i <= 3; ++i) {
            form.MsgTime[i].setCaption(times[i - 1]);
            form.MsgSize[i].setCaption("16");
        }
        editor.slots().RebuildStepLists(3);
    }

    /// The user opens step k's list and picks `entry`.
    void pick(int k, const std::string& entry) {
        form.TRG1[k].dropDown();
        const auto& list = form.TRG1[k].list();
        int index = static_cast<int>(std::find(list.begin(), list.end(), entry) - list.begin());
        ASSERT_LT(index, static_cast<int>(list.size())) << entry;
        form.TRG1[k].pick(index);
    }

    /// Trigger 1 with steps 3, 1, 2 and step 4 empty.
    void steps312() {
        threeMessages();
        pick(1, "3");
        pick(2, "1");
        pick(3, "2");
        ASSERT_EQ(form.TrgTime[1].caption(), "4.50");
    }
};

TEST_F(TriggerSequencesTest, blankForStep1_clearsAndDisablesTheLaterStepsAndThePlayButton) {
    steps312();
    EXPECT_TRUE(form.TrgBt[1].enabled());
    EXPECT_TRUE(form.TRG1[4].enabled());

    pick(1, " ");
    for (int k = 2; k <= 4; ++k) {
        EXPECT_EQ(form.TRG1[k].text(), " ") << k;
        EXPECT_FALSE(form.TRG1[k].enabled()) << k;
    }
    EXPECT_TRUE(form.TRG1[1].enabled());
    EXPECT_FALSE(form.TrgBt[1].enabled());
    EXPECT_EQ(form.TrgTime[1].caption(), "0.00");
}

TEST_F(TriggerSequencesTest, blankForStep2_clearsSteps3And4AndLeavesTheTimeOfStep1) {
    steps312();
    pick(2, " ");
    EXPECT_TRUE(form.TRG1[1].enabled());
    EXPECT_TRUE(form.TRG1[2].enabled());
    EXPECT_EQ(form.TRG1[1].text(), "3");
    for (int k = 3; k <= 4; ++k) {
        EXPECT_EQ(form.TRG1[k].text(), " ") << k;
        EXPECT_FALSE(form.TRG1[k].enabled()) << k;
    }
    EXPECT_TRUE(form.TrgBt[1].enabled());
    EXPECT_EQ(form.TrgTime[1].caption(), "0.75");
}

TEST_F(TriggerSequencesTest, sequenceTimes_sumTheStepsOfEachTriggerIncludingStep4) {
    threeMessages();
    pick(5, "1");
    pick(6, "2");
    pick(7, "1");
    EXPECT_EQ(form.TrgTime[2].caption(), "5.00");
    pick(8, "3");
    EXPECT_EQ(form.TrgTime[2].caption(), "5.75");
    EXPECT_TRUE(form.TrgBt[2].enabled());
    // Every other trigger has been brought up to date by the same pass.
    EXPECT_EQ(form.TrgTime[1].caption(), "0.00");
    EXPECT_EQ(form.TrgTime[12].caption(), "0.00");
    EXPECT_FALSE(form.TrgBt[1].enabled());
    EXPECT_FALSE(form.TRG1[2].enabled());
}

TEST_F(TriggerSequencesTest, stepNamingAnEmptiedSlot_keepsItsNumberAndCountsZeroFromTheNextPass) {
    choose(1, wave("a.wav", 16044, 16000));  // 1.00 s
    choose(2, wave("b.wav", 32044, 32000));  // 2.00 s
    pick(1, "1");
    pick(2, "2");
    ASSERT_EQ(form.TrgTime[1].caption(), "3.00");

    form.WaveFile[2].setText("");
    EXPECT_EQ(form.TRG1[2].text(), "2");
    EXPECT_TRUE(form.TRG1[2].enabled());
    EXPECT_EQ(form.TRG1[2].list(), (std::vector<std::string>{" ", "1"}));
    EXPECT_EQ(form.TrgTime[1].caption(), "3.00");

    pick(5, " ");
    EXPECT_EQ(form.TRG1[2].text(), "2");
    EXPECT_TRUE(form.TRG1[2].enabled());
    EXPECT_TRUE(form.TRG1[3].enabled());
    EXPECT_EQ(form.TrgTime[1].caption(), "1.00");
}

TEST_F(TriggerSequencesTest, stepNumbersNamingNoSlot_addNothing) {
    threeMessages();
    form.TRG1[1].setText("13");
    editor.triggers().TRG1_Click(1);
    EXPECT_EQ(form.TrgTime[1].caption(), "0.00");
    EXPECT_TRUE(form.TrgBt[1].enabled());  // it still holds a message number
    EXPECT_TRUE(form.TRG1[2].enabled());
}

TEST_F(TriggerSequencesTest, edits_setTheChangedFlag) {
    threeMessages();
    app.blnChanged = false;
    pick(1, "1");
    EXPECT_TRUE(app.blnChanged);

    app.blnChanged = false;
    form.TRG1[9].setText("2");
    EXPECT_TRUE(app.blnChanged);

    app.blnChanged = false;
    pick(1, "1");  // the same entry again is still an edit
    EXPECT_TRUE(app.blnChanged);
}

TEST_F(TriggerSequencesTest, zoneClick_setsTheChangedFlagAndNothingElse) {
    steps312();
    app.blnChanged = false;
    form.Check1[7].click();
    EXPECT_EQ(form.Check1[7].value(), 1);
    EXPECT_TRUE(app.blnChanged);
    app.blnChanged = false;
    form.Check1[7].click();
    EXPECT_EQ(form.Check1[7].value(), 0);
    EXPECT_TRUE(app.blnChanged);
    EXPECT_EQ(form.TrgTime[1].caption(), "4.50");
    EXPECT_EQ(form.TRG1[1].text(), "3");
    EXPECT_TRUE(form.TrgBt[1].enabled());
    EXPECT_FALSE(form.TrgBt[2].enabled());
    for (int z = 1; z <= 72; ++z)
        EXPECT_EQ(form.Check1[z].value(), 0) << z;
}

TEST_F(TriggerSequencesTest, lock_stepTakesAValueOnlyFromItsOpenList) {
    threeMessages();
    ComboBox& step = form.TRG1[1];
    EXPECT_TRUE(step.locked());

    step.pick(2);  // a pick without the list open, as by the mouse wheel
    EXPECT_EQ(step.text(), "");
    step.type("7");
    EXPECT_EQ(step.text(), "");

    step.dropDown();
    EXPECT_FALSE(step.locked());
    step.pick(2);
    EXPECT_EQ(step.text(), "2");
    EXPECT_TRUE(step.locked());

    step.dropDown();
    int key = 55;
    step.keyDown(key, 0);  // a key while the list is open locks the box before the key arrives
    EXPECT_TRUE(step.locked());
    step.type("7");
    step.pick(3);
    EXPECT_EQ(step.text(), "2");

    step.dropDown();
    step.lostFocus();
    EXPECT_TRUE(step.locked());
}

TEST_F(TriggerSequencesTest, firstAcceptedFile_runsThePassShowingZeroForEveryTrigger) {
    choose(1, wave("a.wav"));
    for (int t = 1; t <= Form1::kTriggers; ++t) {
        EXPECT_EQ(form.TrgTime[t].caption(), "0.00") << t;
        EXPECT_FALSE(form.TrgBt[t].enabled()) << t;
    }
    for (int k = 1; k <= 48; ++k)
        EXPECT_EQ(form.TRG1[k].enabled(), k % 4 == 1) << k;
}

}  // namespace
