// The upload button with a set that holds no message file: it would leave the unit with no message, so the user
// is asked first, and a No leaves the unit and the port untouched.
#include <gtest/gtest.h>

#include <optional>

#include "editor/FormTexts.h"
#include "unitlink/UploadFixture.h"

namespace {

constexpr const char* kQuestion =
    "The set contains no message file. Sending it erases all messages in the unit, "
    "which then holds no message. Do you want to send it anyway?";

TEST(EmptySetUpload, theButtonAsksOnlyForASetWithoutMessageFiles_andANoSendsNothing) {
    const struct {
        const char* name;
        bool withFile;
        std::optional<int> answer;  ///< the question's answer; none when no question may come
        bool sent;
    } cases[] = {
        {"empty, No", false, IMessageBox::vbNo, false},
        {"empty, Yes", false, IMessageBox::vbYes, true},
        {"with a file", true, std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UploadFixture u;
        if (c.withFile)
            u.choose(1, u.wave("gong.wav", 1045));
        if (c.answer)
            u.test.msgBox.answerNext(*c.answer);
        const std::string statusBefore = u.status();

        u.upload();

        ASSERT_EQ(u.test.msgBox.shown.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(u.test.msgBox.shown[0].text, kQuestion);
            EXPECT_EQ(u.test.msgBox.shown[0].flags & IMessageBox::vbDefaultButton2, IMessageBox::vbDefaultButton2);
        }
        EXPECT_EQ(u.test.serial.opens > 0, c.sent);
        EXPECT_EQ(u.test.serial.written.empty(), !c.sent);
        EXPECT_EQ(u.status(), c.sent ? u.statusOf(kStatusUploadDone) : statusBefore);
    }
}

}  // namespace
