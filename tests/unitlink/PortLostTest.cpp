// The PC's own port going away under an exchange (the adapter pulled): the exchange ends at once, the window
// says that the port was lost, not that the unit is silent, and shows the port closed.
#include <gtest/gtest.h>

#include <string>

#include "editor/FormTexts.h"
#include "shell/PortConnection.h"
#include "unitlink/UploadFixture.h"

namespace {

const std::string kLost = "The PC's serial port was lost (adapter unplugged?): COM1: unplugged";

struct PortLost : UploadFixture {
    PortLost() {
        choose(1, wave("long.wav", 20000, 1));
        choose(2, wave("gong.wav", 1045, 2));
    }
    void expectShownClosed() {
        EXPECT_FALSE(test.serial.portOpen());
        EXPECT_TRUE(form.imgNotConnected.visible());
        EXPECT_FALSE(form.imgConnected.visible());
        EXPECT_FALSE(bench.connection().Timer1().enabled());
        EXPECT_EQ(form.sbrStatus.panelText(2), "RS232 PORT: ");
        EXPECT_EQ(form.sbrStatus.panelText(3), "");
    }
};

TEST(PortLost, duringAnUpload_endsItAtOnceSayingThePortWasLost) {
    using Step = UploadOutcome::Step;
    // Frame 1 is "P", 2 and 3 the erases, the wave data from 4 on.
    const struct {
        const char* when;
        int frames;
        bool inWrite;
        Step step;
        int status;
    } cases[] = {
        {"awaiting the reply to P", 1, false, Step::Upload, kStatusUploadFailed},
        {"erasing", 2, false, Step::Erase, kStatusEraseFailed},
        {"in the data", 6, false, Step::Upload, kStatusUploadFailed},
        {"a data frame's write refused", 6, true, Step::Upload, kStatusUploadFailed},
    };
    for (const auto& c : cases) {
        PortLost u;
        u.test.serial.vanishAfter(c.frames, "unplugged", c.inWrite);
        const auto start = u.test.clock.steadyMs();
        const UploadOutcome outcome = u.bench.sendMessages().value();

        EXPECT_EQ(outcome.failedStep, c.step) << c.when;
        EXPECT_EQ(outcome.link, (LinkOutcome{LinkOutcome::Kind::PortLost, "COM1: unplugged"})) << c.when;
        EXPECT_EQ(u.status(), u.statusOf(c.status) + " " + kLost) << c.when;
        // Not one time-out: the loss ends the wait, not the clock.
        EXPECT_LT(u.test.clock.steadyMs() - start, 100) << c.when;
        EXPECT_EQ(u.test.serial.written.size(), static_cast<std::size_t>(c.frames)) << c.when;
        u.expectShownClosed();

        // The adapter plugged back in and the unit, cut off in the middle of a write, started afresh: the next
        // upload goes through.
        u.replaceUnit();
        u.upload();
        EXPECT_EQ(u.status(), u.statusOf(kStatusUploadDone)) << c.when;
    }
}

TEST(PortLost, whileConnectedAndIdle_showsThePortClosedAndSaysWhy) {
    PortLost u;
    u.form.imgNotConnected.click();
    ASSERT_TRUE(u.form.imgConnected.visible());
    u.test.events.post([&] { u.test.serial.vanish("unplugged"); });
    u.test.events.processEvents();
    u.expectShownClosed();
    EXPECT_EQ(u.status(), UploadFixture::trimmed(u.form.StatusText[kStatusCaption]) + " " + kLost);
    // The indicator connects again as ever.
    u.form.imgNotConnected.click();
    EXPECT_TRUE(u.test.serial.portOpen());
    EXPECT_TRUE(u.form.imgConnected.visible());
}

}  // namespace
