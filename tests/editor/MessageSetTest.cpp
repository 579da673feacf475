// The message set taken from a composed editor: slots, steps, zones, totals and flags as the editor shows them.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/EditorFixture.h"
#include "editor/MessageSet.h"

namespace {

struct MessageSetTest : EditorFixture, ::testing::Test {
    /// Slots 1 to 11 hold 1.00 s at 8 kHz in 16100 bytes; slot 12 0.79 s at 22.05 kHz in 35350 bytes.
    void twelveMessages() {
        for (int i = 1; i <= 11; ++i)
            choose(i, wave("m" + std::to_string(i) + ".wav"));
        choose(12, wave("last.wav", 35000, 34956, 22050));
    }

    void pick(int s, const std::string& entry) {
        form.TRG1[s].dropDown();
        const auto& list = form.TRG1[s].list();
        int index = static_cast<int>(std::find(list.begin(), list.end(), entry) - list.begin());
        ASSERT_LT(index, static_cast<int>(list.size())) << entry;
        form.TRG1[s].pick(index);
    }
};

TEST_F(MessageSetTest, composedEditor_givesItsSlotsStepsZonesTotalsAndFlags) {
    twelveMessages();
    pick(1, "12");
    pick(2, " ");
    pick(5, "3");
    pick(6, "1");
    pick(7, "2");
    form.Check1[1].click();
    form.Check1[6].click();
    form.Check1[72].click();
    MessageSet set = form.messageSet();

    EXPECT_EQ(set.FilePath[12], test.folder.file("last.wav"));
    EXPECT_EQ(set.WaveFile[12], "last");
    EXPECT_EQ(set.MsgTime[12], "0.79");
    EXPECT_EQ(set.MsgSize[12], "35");
    EXPECT_EQ(set.MsgSample[12], "22.050");
    EXPECT_EQ(set.TMsgSize[12], 35350);
    EXPECT_EQ(set.WaveFile[11], "m11");
    EXPECT_EQ(set.TMsgSize[11], 16100);

    struct Step {
        int s;
        const char* text;
        int message;
    };
    const Step steps[] = {{1, "12", 12}, {2, " ", 0}, {3, " ", 0}, {5, "3", 3},
                          {6, "1", 1},   {7, "2", 2}, {8, " ", 0}, {9, "", 0}};
    for (const Step& step : steps) {
        EXPECT_EQ(set.TRG1Text[step.s], step.text) << step.s;
        EXPECT_EQ(set.TRG1[step.s], step.message) << step.s;
    }
    EXPECT_EQ(set.step(2, 3), 2);
    EXPECT_EQ(set.TrgTime[1], "0.79");
    EXPECT_EQ(set.TrgTime[2], "3.00");
    for (int z = 1; z <= MessageSet::kTriggers * MessageSet::kZones; ++z)
        EXPECT_EQ(set.Check1[z], z == 1 || z == 6 || z == 72) << z;

    EXPECT_EQ(set.TotalTime, "11.79");
    EXPECT_EQ(set.TotalSize, "211");
    EXPECT_EQ(set.TFileLength, 11 * 16100 + 35350);
    EXPECT_FALSE(set.MsgUnchanged);
    EXPECT_FALSE(set.SeqPlaying);
    form.MsgUnchanged = true;
    form.SeqPlaying = true;
    EXPECT_TRUE(form.messageSet().MsgUnchanged);
    EXPECT_TRUE(form.messageSet().SeqPlaying);
}

}  // namespace
