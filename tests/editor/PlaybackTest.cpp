// Playing single messages and trigger sequences: the play buttons, their captions, the waits of a sequence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorFixture.h"
#include "editor/MessageSlots.h"
#include "editor/Playback.h"
#include "editor/TriggerSequences.h"

namespace {

const std::string kPortOpenText = "The unit cannot be operated while upload is in progress!";

struct PlaybackFixture : EditorFixture {
    FakeWavPlayer& player = test.player;
    FakeEventPump& events = test.events;

    /// Fills slots 1 to n with files of different lengths; returns their paths, index = slot.
    std::vector<std::string> fill(int n) {
        std::vector<std::string> paths(1);
        for (int i = 1; i <= n; ++i) {
            paths.push_back(wave("msg" + std::to_string(i) + ".wav", 8044 * i, 8000 * i));
            choose(i, paths.back());
        }
        return paths;
    }

    /// Gives trigger t the step texts, as picked from the lists.
    void steps(int t, const std::vector<std::string>& texts) {
        for (std::size_t k = 0; k < texts.size(); ++k)
            form.TRG1[4 * (t - 1) + 1 + k].setText(texts[k]);
        editor.triggers().TRG1_Click(4 * (t - 1) + 1);
    }

    /// The files the player was told to play, in order.
    std::vector<std::string> plays() const {
        std::vector<std::string> out;
        for (const auto& c : player.commands)
            if (c.rfind("Play ", 0) == 0)
                out.push_back(c.substr(5));
        return out;
    }

    bool allIdle() const {
        for (int i = 1; i <= Form1::kSlots; ++i)
            if (form.MsgBt[i].caption() != ">" || form.TrgBt[i].caption() != ">")
                return false;
        return !form.Picture1.visible();
    }
};

TEST(Playback, messageClickedTwice_playsThenStops) {
    PlaybackFixture e;
    auto p = e.fill(1);

    e.form.MsgBt[1].click();
    EXPECT_EQ(e.player.commands, (std::vector<std::string>{"Close " + p[1], "Open " + p[1], "Play " + p[1]}));
    EXPECT_TRUE(e.player.playing());
    EXPECT_EQ(e.form.MsgBt[1].caption(), "-");
    EXPECT_TRUE(e.form.Picture1.visible());

    e.form.MsgBt[1].click();
    EXPECT_FALSE(e.player.playing());
    EXPECT_EQ(e.player.commands.back(), "Close " + p[1]);
    EXPECT_EQ(e.player.commands.size(), 4u);
    EXPECT_TRUE(e.allIdle());
}

TEST(Playback, playedFileEnds_everyCaptionBackToIdle) {
    PlaybackFixture e;
    e.fill(2);
    e.form.MsgBt[2].click();
    e.player.finish();
    EXPECT_EQ(e.form.MsgBt[2].caption(), "-");  // the completion comes from the event loop
    e.events.processEvents();
    EXPECT_TRUE(e.allIdle());
}

TEST(Playback, clickOnOtherMessageWhileOnePlays_stopsAndNoButtonStaysBusy) {
    PlaybackFixture e;
    e.fill(2);
    e.form.MsgBt[1].click();
    e.form.MsgBt[2].click();
    EXPECT_FALSE(e.player.playing());
    EXPECT_TRUE(e.allIdle());
}

TEST(Playback, noSoundDevice_playFailsAndCaptionsGoBackToIdle) {
    PlaybackFixture e;
    auto p = e.fill(1);
    e.steps(1, {"1"});
    e.player.failPlay = true;

    e.form.MsgBt[1].click();
    EXPECT_EQ(e.player.commands.back(), "Close " + p[1]);
    EXPECT_TRUE(e.allIdle());

    e.form.TrgBt[1].click();
    EXPECT_EQ(e.player.commands.back(), "Close " + p[1]);
    EXPECT_FALSE(e.form.SeqPlaying);
    EXPECT_EQ(e.events.waits(), 0);
    EXPECT_TRUE(e.allIdle());

    // Each button said why nothing is heard, once, after a beep.
    ASSERT_EQ(e.test.msgBox.shown.size(), 2u);
    for (const auto& box : e.test.msgBox.shown) {
        EXPECT_EQ(box.text, "No sound output is available on this PC: the message cannot be played.");
        EXPECT_EQ(box.flags, IMessageBox::vbOKOnly);
        EXPECT_EQ(box.title, e.form.Caption);
    }
    EXPECT_EQ(e.test.msgBox.beeps, 2);
}

TEST(Playback, sequenceOfThreeSteps_playsFilesOneAfterAnotherInStepOrder) {
    PlaybackFixture e;
    auto p = e.fill(3);
    e.steps(2, {"1", "3", "2"});
    std::vector<std::string> playingAtWait;
    e.events.onWait = [&] {
        EXPECT_TRUE(e.form.SeqPlaying);
        EXPECT_EQ(e.form.TrgBt[2].caption(), "-");
        playingAtWait.push_back(e.player.fileName());
        e.player.finish();
    };

    e.form.TrgBt[2].click();
    EXPECT_EQ(e.plays(), (std::vector<std::string>{p[1], p[3], p[2]}));
    // Each file is waited for; with step 4 empty the last wait is for the third file to end.
    EXPECT_EQ(playingAtWait, (std::vector<std::string>{p[1], p[3], p[2]}));
    EXPECT_FALSE(e.form.SeqPlaying);
    EXPECT_TRUE(e.allIdle());
}

TEST(Playback, sequenceWithOnlyFirstStep_playsThatMessageAndReturnsAtItsEnd) {
    PlaybackFixture e;
    auto p = e.fill(2);
    e.steps(1, {"2", " "});
    e.events.onWait = [&] { e.player.finish(); };
    e.form.TrgBt[1].click();
    EXPECT_EQ(e.plays(), (std::vector<std::string>{p[2]}));
    EXPECT_EQ(e.events.waits(), 1);
}

TEST(Playback, stepNamingNoSlot_isPassedOver) {
    PlaybackFixture e;
    auto p = e.fill(2);
    e.form.TRG1[1].setText("13");
    e.form.TRG1[2].setText("2");
    e.form.TRG1[2].setEnabled(true);
    e.form.TrgBt[1].setEnabled(true);
    e.events.onWait = [&] { e.player.finish(); };
    e.form.TrgBt[1].click();
    EXPECT_EQ(e.plays(), (std::vector<std::string>{p[2]}));
}

TEST(Playback, triggerClickDuringSequence_stopsSequenceAndItsFile) {
    PlaybackFixture e;
    auto p = e.fill(3);
    e.steps(1, {"1", "2", "3"});
    e.steps(5, {"3"});
    e.events.onWait = [&] { e.events.post([&] { e.form.TrgBt[5].click(); }); };

    e.form.TrgBt[1].click();
    EXPECT_EQ(e.plays(), (std::vector<std::string>{p[1]}));
    EXPECT_EQ(e.player.commands.back(), "Close " + p[1]);
    EXPECT_FALSE(e.player.playing());
    EXPECT_FALSE(e.form.SeqPlaying);
    EXPECT_EQ(e.events.waits(), 1);
    // The stopped sequence's own button shows idle too, not only the one clicked.
    EXPECT_TRUE(e.allIdle());
}

TEST(Playback, triggerClickDuringFourthFile_startsNewSequenceThatWaitsForIt) {
    PlaybackFixture e;
    auto p = e.fill(4);
    e.steps(1, {"1", "2", "3", "4"});
    e.steps(2, {"2"});
    e.events.onWait = [&] { e.player.finish(); };
    e.form.TrgBt[1].click();
    ASSERT_TRUE(e.player.playing());
    EXPECT_EQ(e.player.fileName(), p[4]);
    EXPECT_FALSE(e.form.SeqPlaying);
    EXPECT_EQ(e.form.TrgBt[1].caption(), "-");

    std::vector<std::string> commandsAtFirstWait;
    e.events.onWait = [&] {
        EXPECT_TRUE(e.form.SeqPlaying);
        if (commandsAtFirstWait.empty())
            commandsAtFirstWait = e.player.commands;
        e.player.finish();
    };
    e.form.TrgBt[2].click();
    ASSERT_FALSE(commandsAtFirstWait.empty());
    EXPECT_EQ(commandsAtFirstWait.back(), "Play " + p[4]);
    EXPECT_EQ(e.plays(), (std::vector<std::string>{p[1], p[2], p[3], p[4], p[2]}));
}

TEST(Playback, messageClickDuringSequenceStep_stopsThatStepAndSequenceGoesOn) {
    PlaybackFixture e;
    auto p = e.fill(3);
    e.steps(1, {"1", "2"});
    int waits = 0;
    e.events.onWait = [&] {
        if (++waits == 1)
            e.events.post([&] { e.form.MsgBt[3].click(); });
        else
            e.player.finish();
    };
    e.form.TrgBt[1].click();
    EXPECT_EQ(e.plays(), (std::vector<std::string>{p[1], p[2]}));
    EXPECT_FALSE(e.form.SeqPlaying);
}

TEST(Playback, portOpen_everyPlayButtonRefusesAndPlaysNothing) {
    PlaybackFixture e;
    e.fill(1);
    e.steps(1, {"1"});
    ASSERT_TRUE(e.test.serial.setPortOpen(true));
    for (int i = 1; i <= Form1::kSlots; ++i)
        e.editor.playback().MsgBt_Click(i);
    for (int t = 1; t <= Form1::kTriggers; ++t)
        e.editor.playback().TrgBt_Click(t);

    EXPECT_TRUE(e.player.commands.empty());
    EXPECT_EQ(e.test.msgBox.beeps, 24);
    ASSERT_EQ(e.test.msgBox.shown.size(), 24u);
    for (const auto& box : e.test.msgBox.shown) {
        EXPECT_EQ(box.text, kPortOpenText);
        EXPECT_EQ(box.flags, IMessageBox::vbOKOnly);
        EXPECT_EQ(box.title, e.form.Caption);
    }
    EXPECT_FALSE(e.form.SeqPlaying);
    EXPECT_TRUE(e.allIdle());
}

TEST(Playback, fileTurnedStereoOnDisk_showsMonoRejectionAndStillPlays) {
    PlaybackFixture e;
    auto p = e.fill(1);
    const std::string time = e.form.MsgTime[1].caption();
    WaveFiles::Format stereo;
    stereo.channels = 2;
    stereo.dataSize = 32000;
    stereo.soundBytes = 32000;
    WaveFiles::write(p[1], WaveFiles::bytes(stereo));

    e.form.MsgBt[1].click();
    ASSERT_EQ(e.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(e.test.msgBox.shown[0].text, "The file is not a mono file!");
    EXPECT_EQ(e.test.msgBox.beeps, 1);
    EXPECT_EQ(e.plays(), (std::vector<std::string>{p[1]}));
    EXPECT_EQ(e.form.MsgBt[1].caption(), "-");
    EXPECT_EQ(e.form.MsgTime[1].caption(), time);
}

TEST(Playback, fileChangedOnDisk_refreshedBeforeMessagePlayButNotInSequence) {
    PlaybackFixture e;
    auto p = e.fill(1);
    e.steps(1, {"1"});
    ASSERT_EQ(e.form.MsgTime[1].caption(), "0.50");
    e.events.onWait = [&] { e.player.finish(); };

    WaveFiles::writeOfLength(p[1], 24044, 24000);
    e.form.TrgBt[1].click();
    EXPECT_EQ(e.form.MsgTime[1].caption(), "0.50");

    e.form.MsgBt[1].click();
    EXPECT_EQ(e.form.MsgTime[1].caption(), "1.50");
    EXPECT_EQ(e.form.TotalTime.caption(), "1.50");
}

}  // namespace
