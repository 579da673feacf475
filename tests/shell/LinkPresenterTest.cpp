// The presenter's mapping from the link's reports and the upload's outcomes to the status line of the English
// catalogue, text for text as the window has always shown them.
#include <gtest/gtest.h>

#include <string>

#include "editor/EditorFixture.h"
#include "shell/LanguageApplier.h"
#include "shell/LinkPresenter.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"

namespace {

using Kind = LinkOutcome::Kind;
using Step = UploadOutcome::Step;

struct Presenter : EditorFixture {
    MDIKVT3310 mdi;
    Workbench bench{test.platform, app, mdi, form};
    Presenter() { bench.language().OpenLng(""); }
    std::string shown(const UploadOutcome& outcome) {
        bench.presenter().uploadFinished(outcome);
        return form.sbrStatus.panelText(1);
    }
};

TEST(LinkPresenter, eachUploadOutcome_showsItsStatusText) {
    const std::string failed = "STATUS: Message and configuration upload unsuccessfully!";
    const struct {
        UploadOutcome outcome;
        std::string text;
    } cases[] = {
        {UploadOutcome::done(UploadOutcome::Result::FullUploadDone),
         "STATUS: Message and configuration upload successfully!"},
        {UploadOutcome::done(UploadOutcome::Result::ConfigurationDone),
         "STATUS: Configuration only upload successfully!"},
        {UploadOutcome::fileNotReady(3, "/sets/exit.wav"), failed},
        {UploadOutcome::failed(Step::Connect, {Kind::PortNotOpened, "busy"}),
         failed + " The port could not be opened: busy"},
        {UploadOutcome::failed(Step::Connect, {Kind::PortNotOpened, ""}), failed + " The port could not be opened:"},
        {UploadOutcome::failed(Step::Erase, {Kind::Refused, ""}),
         "STATUS: Erasing data failed! The unit refused the data!"},
        {UploadOutcome::failed(Step::Upload, {Kind::NoAnswer, ""}), failed + " The unit does not answer!"},
        {UploadOutcome::failed(Step::Upload, {Kind::InvalidReply, ""}),
         failed + " The reply of the unit is not valid!"},
        {UploadOutcome::failed(Step::Upload), failed},
        {UploadOutcome::failed(Step::Configuration, {Kind::Refused, ""}),
         "STATUS: Configuration only upload unsuccessfully! The unit refused the data!"},
    };
    for (const auto& c : cases) {
        Presenter p;
        EXPECT_EQ(p.shown(c.outcome), c.text) << c.text;
    }
}

TEST(LinkPresenter, fileNotReady_alsoBeepsAndNamesTheSlotAndItsPath) {
    Presenter p;
    p.shown(UploadOutcome::fileNotReady(3, "/sets/exit.wav"));
    EXPECT_EQ(p.test.msgBox.beeps, 1);
    ASSERT_EQ(p.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(p.test.msgBox.shown[0].text, "Path of message file is incorrect!\n\n3: /sets/exit.wav");
}

TEST(LinkPresenter, reportsThatCarryMore_showTheirDetailWhereTheWindowAlwaysHad) {
    Presenter p;
    p.bench.presenter().statusChanged({StatusEvent::Kind::Uploading, "Gong"});
    EXPECT_EQ(p.form.sbrStatus.panelText(1), "STATUS: Gong File is uploading...");
    p.bench.presenter().statusChanged({StatusEvent::Kind::NotConnected, "no such device"});
    EXPECT_EQ(p.form.sbrStatus.panelText(1), "STATUS: Com port not connected! no such device");
    p.bench.presenter().statusChanged({StatusEvent::Kind::ReadDone, ""});
    EXPECT_EQ(p.form.sbrStatus.panelText(1), "STATUS: Reading data successfully!");
}

}  // namespace
