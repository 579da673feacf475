// The upload button with a set that holds no message file: it would leave the unit with no message, so the user
// is asked first, and a No leaves the unit and the port untouched.
#include <gtest/gtest.h>

#include <optional>

#include "editor/FormTexts.h"
#include "shell/LanguageApplier.h"
#include "unitlink/UploadFixture.h"

namespace {

constexpr const char* kQuestion =
    "The set contains no message file. Sending it erases all messages in the unit, "
    "which then holds no message. Do you want to send it anyway?";

TEST(EmptySetUpload, asksOnlyForASetWithoutMessageFiles_andANoSendsNothing) {
    using EmptySet = Workbench::EmptySet;
    const struct {
        const char* name;
        bool withFile;
        EmptySet emptySet;
        std::optional<int> answer;  ///< the question's answer; none when no question may come
        bool sent;
    } cases[] = {
        {"empty, No", false, EmptySet::Ask, IMessageBox::vbNo, false},
        {"empty, Yes", false, EmptySet::Ask, IMessageBox::vbYes, true},
        {"empty, erase confirmed beforehand", false, EmptySet::Erase, std::nullopt, true},
        {"with a file", true, EmptySet::Ask, std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UploadFixture u;
        if (c.withFile)
            u.choose(1, u.wave("gong.wav", 1045));
        if (c.answer)
            u.test.msgBox.answerNext(*c.answer);
        const std::string statusBefore = u.status();

        const auto outcome = u.bench.sendMessages(c.emptySet);

        ASSERT_EQ(u.test.msgBox.shown.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(u.test.msgBox.shown[0].text, kQuestion);
            EXPECT_EQ(u.test.msgBox.shown[0].title, "KVT3310");
            EXPECT_EQ(u.test.msgBox.shown[0].flags,
                      IMessageBox::vbYesNo | IMessageBox::vbQuestion | IMessageBox::vbDefaultButton2);
        }
        EXPECT_EQ(outcome.has_value(), c.sent);
        EXPECT_EQ(u.test.serial.opens > 0, c.sent);
        EXPECT_EQ(u.test.serial.written.empty(), !c.sent);
        EXPECT_TRUE(u.mdi.enabled());
        EXPECT_FALSE(u.test.serial.portOpen());
        if (!c.sent) {
            EXPECT_EQ(u.status(), statusBefore);
            continue;
        }
        EXPECT_EQ(outcome->result, UploadOutcome::Result::FullUploadDone);
        EXPECT_EQ(u.status(), u.statusOf(kStatusUploadDone));
        EXPECT_EQ(u.tableAddress(1) >= 0, c.withFile);
    }
}

TEST(EmptySetUpload, theButtonAsksInTheActiveLanguage) {
    UploadFixture u;
    u.app.LngBase = 3000;
    ASSERT_TRUE(u.bench.language().OpenLng("de.lng"));
    u.test.msgBox.answerNext(IMessageBox::vbNo);
    u.form.Bt_SendMessage.click();
    ASSERT_EQ(u.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(
        u.test.msgBox.shown[0].text,
        "Die Zusammenstellung enthält keine Durchsagedatei. Beim Senden werden alle Durchsagen im Gerät gelöscht, "
        "danach enthält es keine Durchsage mehr. Trotzdem senden?");
    EXPECT_EQ(u.test.msgBox.shown[0].title, "KVT 3310 Tavro Durchsagen-Manager Einrichtung");
    EXPECT_EQ(u.test.serial.opens, 0);
}

}  // namespace
