// The pictures of the README, taken from the real windows: the editor with a composed set, and an upload in
// progress with its percentage and remaining time; each picture is checked for what it must show.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "GuiFixture.h"
#include "settings/LanguageApplier.h"
#include "support/EmulatorPeer.h"
#include "support/TestFiles.h"

class ReadmePicturesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void composedSet_andUploadInProgress();
};

namespace {

/// The demo's set: four announcements of their lengths at 22050 Hz, on four triggers.
void compose(GuiFixture& f) {
    const struct {
        const char* name;
        std::uint32_t bytes;
    } messages[] = {{"Welcome", 117696}, {"Closing", 211856}, {"Evacuate", 182006}, {"Meeting", 138168}};
    int slot = 1;
    for (const auto& m : messages) {
        const std::string path = f.test.folder.file(std::string(m.name) + ".wav");
        writeFileBytes(path, waveFileBytes(m.bytes, 22050, slot));
        f.test.fileDialog.chooseNext(path);
        f.form().Bt_Browse[slot++].click();
    }
    Form1& form = f.form();
    // Picked from the step lists as a user does.
    for (auto [step, message] : {std::pair{1, "1"}, {5, "2"}, {9, "3"}, {10, "3"}, {13, "4"}, {14, "1"}}) {
        form.TRG1[step].dropDown();
        const auto& list = form.TRG1[step].list();
        form.TRG1[step].pick(static_cast<int>(std::find(list.begin(), list.end(), message) - list.begin()));
    }
    for (int zone : {1, 2, 3, 7, 8, 9, 10, 13, 14, 15, 16, 17, 18, 23})
        form.Check1[zone].setValue(1);
}

}  // namespace

void ReadmePicturesTest::composedSet_andUploadInProgress() {
    GuiFixture f;
    QVERIFY(f.form().language().OpenLng("en.lng"));
    compose(f);
    QTest::qWait(50);
    f.main->resize(std::max(f.main->sizeHint().width(), 1280), f.main->sizeHint().height());
    QTest::qWait(50);
    QCOMPARE(f.form().WaveFile[4].text(), std::string("Meeting"));
    QVERIFY2(!saveArtefact(f.main.get(), "readme-editor.png").isEmpty(), "picture not saved");

    // The unit answers at once; the clock moves on with the bytes sent, at 10 kB/s as over a line at 115200 baud.
    const std::int64_t start = f.test.clock.steadyMs();
    EmulatorPeer peer(f.test.serial);
    QString inProgress;
    bool inside = false;
    f.test.events.onWait = [&] {
        if (inside)
            return;
        inside = true;
        const auto* bar = f.find<QProgressBar>("ProgressBar1");
        if (bar->isVisible() && start + bar->value() / 10 > f.test.clock.steadyMs())
            f.test.events.advance(start + bar->value() / 10 - f.test.clock.steadyMs());
        if (inProgress.isEmpty() && bar && bar->isVisible() && bar->value() * 100 >= bar->maximum() * 40 &&
            f.find<QLabel>("Lb_Percentage")->text().contains("Remaining Time: 00:")) {
            // The fake event loop runs no Qt events: the layouts take in the new texts here, as in the program.
            QCoreApplication::sendPostedEvents();
            inProgress = saveArtefact(f.main.get(), "readme-upload.png");
        }
        inside = false;
    };
    f.form().Bt_SendMessage.click();
    QVERIFY2(!inProgress.isEmpty(), "no picture taken while the upload ran");
    QCOMPARE(f.form().sbrStatus.panelText(1), std::string("STATUS: Message and configuration upload successfully!"));
}

QTEST_MAIN(ReadmePicturesTest)
#include "ReadmePicturesTest.moc"
