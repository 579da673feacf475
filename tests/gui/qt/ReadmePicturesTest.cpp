// The pictures of the README, taken from the real windows: the editor with a composed set, an upload in
// progress with its percentage and remaining time, and the port menu listing the system's ports; each picture
// is checked for what it must show.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "GuiFixture.h"
#include "shell/LanguageApplier.h"
#include "support/EmulatorPeer.h"
#include "support/TestFiles.h"

class ReadmePicturesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void composedSet_andUploadInProgress();
    void portMenu_listsTheSystemsPorts();
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

/// The window at the editor's own size, as on an installer's screen (the offscreen screen is smaller).
void showWhole(GuiFixture& f) {
    f.main->resize(f.main->sizeHint());
    QTest::qWait(50);
}

}  // namespace

void ReadmePicturesTest::composedSet_andUploadInProgress() {
    GuiFixture f;
    QVERIFY(f.bench().language().OpenLng("en.lng"));
    compose(f);
    QTest::qWait(50);
    showWhole(f);
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

void ReadmePicturesTest::portMenu_listsTheSystemsPorts() {
    GuiFixture f;
    QVERIFY(f.bench().language().OpenLng("en.lng"));
    f.test.ports.ports = {{"/dev/ttyUSB0", "USB-RS232 cable", "USB serial"}, {"/dev/ttyACM0", "USB modem port", ""}};
    compose(f);
    QTest::qWait(50);
    showWhole(f);

    // The menus open as the user opens them: Setup, then Com port, which reads the list again.
    auto* setup = f.find<QMenu>("Setup");
    auto* comport = f.find<QMenu>("Comport");
    QVERIFY(setup && comport);
    const QRect setupItem = f.main->menuBar()->actionGeometry(setup->menuAction());
    const QPoint setupAt = f.main->menuBar()->mapTo(f.main.get(), setupItem.bottomLeft());
    setup->popup(f.main->mapToGlobal(setupAt));
    QTest::qWait(20);
    setup->setActiveAction(comport->menuAction());
    const QRect comportItem = setup->actionGeometry(comport->menuAction());
    const QPoint comportAt = setupAt + comportItem.topRight();
    comport->popup(f.main->mapToGlobal(comportAt));
    QTest::qWait(50);
    QVERIFY(f.find<QAction>("PortItem_2") && f.find<QAction>("PortItem_2")->isVisible());

    // Popup menus are windows of their own: the picture puts them where they stand over the main window.
    QPixmap picture = f.main->grab();
    {
        QPainter painter(&picture);
        // The window system's frame around each, which the offscreen platform does not draw.
        painter.setPen(setup->palette().color(QPalette::Dark));
        for (auto [menu, at] : {std::pair{setup, setupAt}, {comport, comportAt}}) {
            const QPixmap shown = menu->grab();
            painter.drawPixmap(at, shown);
            painter.drawRect(QRect(at, shown.deviceIndependentSize().toSize()).adjusted(0, 0, -1, -1));
        }
    }
    QVERIFY2(!saveArtefact(picture, "readme-ports.png").isEmpty(), "picture not saved");
    comport->hide();
    setup->hide();
}

QTEST_MAIN(ReadmePicturesTest)
#include "ReadmePicturesTest.moc"
