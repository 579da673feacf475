// The combo box model: what a user's pick and typing do, and the lock that refuses both.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ComboBox.h"

namespace {

struct Box {
    ComboBox box;
    std::vector<std::string> events;
    Box() {
        box.addItem(" ");
        box.addItem("1");
        box.Change = [this] { events.push_back("change " + box.text()); };
        box.Click = [this] { events.push_back("click " + box.text()); };
    }
};

TEST(ComboBox, pick_setsTheTextRunningChangeThenClick) {
    Box b;
    b.box.pick(1);
    b.box.pick(1);
    EXPECT_EQ(b.box.text(), "1");
    EXPECT_EQ(b.events, (std::vector<std::string>{"change 1", "click 1", "click 1"}));
}

TEST(ComboBox, lockedOrDisabledBox_refusesPicksAndTypingButNotTheProgram) {
    Box b;
    b.box.setLocked(true);
    b.box.pick(1);
    b.box.type("5");
    EXPECT_EQ(b.box.text(), "");
    b.box.setText("1");
    EXPECT_EQ(b.box.text(), "1");

    b.box.setLocked(false);
    b.box.setEnabled(false);
    b.box.pick(0);
    b.box.type("5");
    EXPECT_EQ(b.box.text(), "1");
    EXPECT_EQ(b.events, (std::vector<std::string>{"change 1"}));
}

TEST(ComboBox, refusedPick_tellsTheViewsSoAWidgetShowingItGoesBack) {
    Box b;
    int notified = 0;
    b.box.changed().connect([&] { ++notified; });
    b.box.setLocked(true);
    notified = 0;
    b.box.pick(1);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(b.box.text(), "");
}

TEST(ComboBox, typingIntoAnUnlockedBox_changesTheTextWithoutAClick) {
    Box b;
    b.box.type("12");
    EXPECT_EQ(b.box.text(), "12");
    EXPECT_EQ(b.events, (std::vector<std::string>{"change 12"}));
}

TEST(ComboBox, outOfRangePick_ignored) {
    Box b;
    b.box.pick(2);
    b.box.pick(-1);
    EXPECT_TRUE(b.events.empty());
}

}  // namespace
