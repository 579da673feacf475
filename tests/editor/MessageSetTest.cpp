// The message set taken from a composed editor: slots, steps, zones, totals and flags as the editor shows them.
#include <gtest/gtest.h>

#include "editor/EditorFixture.h"

namespace {

struct MessageSetTest : EditorFixture, ::testing::Test {};

TEST_F(MessageSetTest, composedEditor_givesItsSlotsStepsZonesTotalsAndFlags) {
    // Slots 1 to 11: 1.00 s at 8 kHz in 16100 bytes; slot 12: 0.79 s at 22.05 kHz in 35350 bytes.
    for (int i = 1; i <= 11; ++i)
        choose(i, wave("m" + std::to_string(i) + ".wav"));
    choose(12, wave("last.wav", 35000, 34956, 22050));
    // Every list offers " ", "1" ... "12": entry n is message n, entry 0 the blank.
    for (auto [s, entry] : {std::pair{1, 12}, {2, 0}, {5, 3}, {6, 1}, {7, 2}}) {
        form.TRG1[s].dropDown();
        form.TRG1[s].pick(entry);
    }
    for (int z : {1, 6, 72})
        form.Check1[z].click();
    form.SeqPlaying = true;
    const MessageSet set = form.messageSet();

    EXPECT_EQ(set.FilePath[12], test.folder.file("last.wav"));
    EXPECT_EQ(set.WaveFile[12], "last");
    EXPECT_EQ(set.MsgTime[12], "0.79");
    EXPECT_EQ(set.MsgSize[12], "35");
    EXPECT_EQ(set.MsgSample[12], "22.050");
    EXPECT_EQ(set.TMsgSize[12], 35350);
    EXPECT_EQ(set.TMsgSize[11], 16100);

    struct Step {
        int s;
        const char* text;
        int message;
    };
    for (Step step : {Step{1, "12", 12}, {2, " ", 0}, {3, " ", 0}, {5, "3", 3}, {7, "2", 2}, {9, "", 0}}) {
        EXPECT_EQ(set.TRG1Text[step.s], step.text) << step.s;
        EXPECT_EQ(set.TRG1[step.s], step.message) << step.s;
    }
    EXPECT_EQ(set.step(2, 2), 1);
    EXPECT_EQ(set.TrgTime[2], "3.00");
    for (int z = 1; z <= MessageSet::kTriggers * MessageSet::kZones; ++z)
        EXPECT_EQ(set.Check1[z], z == 1 || z == 6 || z == 72) << z;

    EXPECT_EQ(set.TotalTime, "11.79");
    EXPECT_EQ(set.TotalSize, "211");
    EXPECT_EQ(set.TFileLength, 11 * 16100 + 35350);
    EXPECT_FALSE(set.MsgUnchanged);
    EXPECT_TRUE(set.SeqPlaying);
}

}  // namespace
