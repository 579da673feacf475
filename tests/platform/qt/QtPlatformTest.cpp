// The Qt platform objects: timers and waiting in the event loop, message boxes, file dialogs, the
// stand-in code page, the mouse pointer and the null port and player.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "platform/null/NullSerialPort.h"
#include "platform/null/NullWavPlayer.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtLatin1Codec.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtScreen.h"
#include "platform/qt/QtSerialPort.h"

namespace {

/// Runs `act` on the modal dialog of type D once it is up.
template <typename D>
void whenModal(std::function<void(D*)> act) {
    QTimer::singleShot(0, [act] {
        for (int i = 0; i < 200; ++i) {
            if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
                QPointer<D> guard(dialog);
                act(dialog);
                // A check that failed inside `act` must not leave the test waiting on the dialog.
                if (guard && guard->isVisible())
                    guard->reject();
                return;
            }
            QTest::qWait(10);
        }
        qFatal("no modal dialog came up");
    });
}

QStringList buttonTexts(QMessageBox* box) {
    QStringList out;
    for (QAbstractButton* b : box->buttons())
        out << QString::number(int(box->standardButton(b)));
    // The order on the box is the desktop's.
    out.sort();
    return out;
}

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timer_firesWhileWaiting_withoutSpinning();
    void timer_withoutInterval_ticksAtTheSmallestInterval();
    void timer_tickDuringItsOwnHandler_isDropped();
    void messageBox_yesNoCancelQuestion_givesTheButtonClicked();
    void messageBox_closedWithoutAnswer_givesCancelOrNo();
    void messageBox_secondDefaultFlag_makesNoTheDefault();
    void messageBox_buttonsInTheProgramsLanguage_keepTheirResults();
    void nameFilters_keepDescriptions_andMatchAnyCase();
    void fileDialog_opensWithTheRequest_andGivesTheChosenPath();
    void fileDialog_cancelled_givesNothing();
    void latin1_roundTripsWesternText_andMarksTheRest();
    void hourglass_setsOneOverrideCursor();
    void nullPortAndPlayer_failAndSayWhy();
    void portName_opensThatPortWhateverTheNumber();
};

void QtPlatformTest::timer_firesWhileWaiting_withoutSpinning() {
    QtEventPump pump;
    auto timer = pump.createTimer();
    int ticks = 0;
    timer->Timer = [&] { ++ticks; };
    timer->setInterval(30);
    timer->setEnabled(true);
    QVERIFY(timer->enabled());
    int waits = 0;
    QElapsedTimer clock;
    clock.start();
    while (ticks < 3) {
        pump.waitForEvents();
        ++waits;
    }
    timer->setEnabled(false);
    QVERIFY(clock.elapsed() >= 80);
    // A wait that returned without an event would loop here thousands of times.
    QVERIFY2(waits < 30, qPrintable(QString::number(waits)));
}

void QtPlatformTest::timer_withoutInterval_ticksAtTheSmallestInterval() {
    QtEventPump pump;
    for (int interval : {0, -5, 1}) {
        auto timer = pump.createTimer();
        int ticks = 0;
        timer->Timer = [&] { ++ticks; };
        timer->setInterval(interval);
        QCOMPARE(timer->interval(), 1);
        timer->setEnabled(true);
        QElapsedTimer clock;
        clock.start();
        // A wait on it ends: with no interval the timer must not fall silent.
        pump.waitForEvents();
        QTRY_VERIFY_WITH_TIMEOUT(ticks > 0, 1000);
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    }
}

void QtPlatformTest::timer_tickDuringItsOwnHandler_isDropped() {
    QtEventPump pump;
    auto timer = pump.createTimer();
    // Another timer keeps events coming while the first one's handler waits.
    auto wakeUp = pump.createTimer();
    wakeUp->Timer = [] {};
    wakeUp->setInterval(5);
    wakeUp->setEnabled(true);
    int depth = 0, deepest = 0, ticks = 0;
    timer->Timer = [&] {
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        // A handler that waits, as the serial reader does, lets further ticks come due.
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 60)
            pump.waitForEvents();
        --depth;
    };
    timer->setInterval(10);
    timer->setEnabled(true);
    QTRY_VERIFY(ticks >= 2);
    timer->setEnabled(false);
    QCOMPARE(deepest, 1);
}

void QtPlatformTest::messageBox_yesNoCancelQuestion_givesTheButtonClicked() {
    QtMessageBox boxes;
    whenModal<QMessageBox>([](QMessageBox* box) {
        QCOMPARE(box->text(), QString("Do you want to save the changes?"));
        QCOMPARE(box->windowTitle(), QString("KVT3310 set up "));
        QCOMPARE(box->icon(), QMessageBox::Question);
        QStringList expected{QString::number(QMessageBox::Yes), QString::number(QMessageBox::No),
                             QString::number(QMessageBox::Cancel)};
        expected.sort();
        QCOMPARE(buttonTexts(box), expected);
        box->button(QMessageBox::No)->click();
    });
    QCOMPARE(boxes.MsgBox("Do you want to save the changes?", IMessageBox::vbYesNoCancel | IMessageBox::vbQuestion,
                          "KVT3310 set up "),
             int(IMessageBox::vbNo));

    whenModal<QMessageBox>([](QMessageBox* box) {
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(boxes.MsgBox("The file is not a WAVE file!", IMessageBox::vbOKOnly, "Form1"), int(IMessageBox::vbOK));
}

void QtPlatformTest::messageBox_closedWithoutAnswer_givesCancelOrNo() {
    QtMessageBox boxes;
    whenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(boxes.MsgBox("?", IMessageBox::vbYesNoCancel, "t"), int(IMessageBox::vbCancel));
    whenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(boxes.MsgBox("?", IMessageBox::vbYesNo, "t"), int(IMessageBox::vbNo));
}

void QtPlatformTest::messageBox_secondDefaultFlag_makesNoTheDefault() {
    QtMessageBox boxes;
    whenModal<QMessageBox>([](QMessageBox* box) {
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        box->defaultButton()->click();
    });
    QCOMPARE(boxes.MsgBox("?", IMessageBox::vbYesNo | 256, "t"), int(IMessageBox::vbNo));
}

void QtPlatformTest::messageBox_buttonsInTheProgramsLanguage_keepTheirResults() {
    QtMessageBox boxes;
    boxes.setButtonTexts({"OK", "Άκυρο", "Ναι", "Όχι"});
    whenModal<QMessageBox>([](QMessageBox* box) {
        QCOMPARE(box->button(QMessageBox::Yes)->text(), QString("&Ναι"));
        QCOMPARE(box->button(QMessageBox::No)->text(), QString("&Όχι"));
        QCOMPARE(box->button(QMessageBox::Cancel)->text(), QString("Άκυρο"));
        box->button(QMessageBox::Yes)->click();
    });
    QCOMPARE(boxes.MsgBox("?", IMessageBox::vbYesNoCancel, "t"), int(IMessageBox::vbYes));
    // Texts left empty keep the system's own captions.
    boxes.setButtonTexts({});
    whenModal<QMessageBox>([](QMessageBox* box) {
        QCOMPARE(box->button(QMessageBox::Ok)->text().remove('&'), QString("OK"));
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(boxes.MsgBox("!", IMessageBox::vbOKOnly, "t"), int(IMessageBox::vbOK));
}

void QtPlatformTest::nameFilters_keepDescriptions_andMatchAnyCase() {
    QCOMPARE(QtFileDialog::nameFilters("All Files (*.*)|*.*|Message Files (*.cfg)|*.cfg"),
             QStringList({"All Files (*.*) (*)", "Message Files (*.cfg) (*.[cC][fF][gG])"}));
    QCOMPARE(QtFileDialog::nameFilters("All Files (*.*)|*.*|Text Files(*.txt)|*.txt"),
             QStringList({"All Files (*.*) (*)", "Text Files(*.txt) (*.[tT][xX][tT])"}));
    // Several patterns of one pair, and a description left without its pattern.
    QCOMPARE(QtFileDialog::nameFilters("Wave (*.wav;*.wave)|*.wav;*.wave|Lone"),
             QStringList({"Wave (*.wav;*.wave) (*.[wW][aA][vV] *.[wW][aA][vV][eE])"}));
    QCOMPARE(QtFileDialog::nameFilters(""), QStringList());
}

void QtPlatformTest::fileDialog_opensWithTheRequest_andGivesTheChosenPath() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char* name : {"MessageSetup.cfg", "OLD.CFG", "notes.txt"}) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QtFileDialog dialogs;
    FileDialogRequest request{"All Files (*.*)|*.*|Message Files (*.cfg)|*.cfg", 2, "MessageSetup.cfg",
                              folder.path().toStdString() + "/", false};
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        // The pair selected, shown by its description alone.
        QCOMPARE(dialog->selectedNameFilter(), QString("Message Files (*.cfg)"));
        QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        QCOMPARE(dialog->findChild<QLineEdit*>("fileNameEdit")->text(), QString("MessageSetup.cfg"));
        dialog->selectFile("OLD.CFG");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto chosen = dialogs.run(request);
    QVERIFY(chosen.has_value());
    QCOMPARE(QDir(QFileInfo(QString::fromStdString(*chosen)).absolutePath()).canonicalPath(),
             QDir(folder.path()).canonicalPath());
    QCOMPARE(QFileInfo(QString::fromStdString(*chosen)).fileName(), QString("OLD.CFG"));

    request.save = true;
    request.fileName = "PrintSetup.txt";
    whenModal<QFileDialog>([](QFileDialog* dialog) {
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto saved = dialogs.run(request);
    QVERIFY(saved.has_value());
    QCOMPARE(QFileInfo(QString::fromStdString(*saved)).fileName(), QString("PrintSetup.txt"));
}

void QtPlatformTest::fileDialog_cancelled_givesNothing() {
    QtFileDialog dialogs;
    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QVERIFY(!dialogs.run({"All Files (*.*)|*.*", 1, "", "", false}).has_value());
}

void QtPlatformTest::latin1_roundTripsWesternText_andMarksTheRest() {
    QtLatin1Codec codec;
    const std::string bytes = "Z\xFCrich \xE9t\xE9";
    QCOMPARE(codec.toUtf8(bytes), std::string("Zürich été"));
    QCOMPARE(codec.fromUtf8("Zürich été"), bytes);
    // One "?" per character that the code page lacks, a character beyond 16 bits included.
    QCOMPARE(codec.fromUtf8("Σ1\xF0\x9F\x94\x94"), std::string("?1?"));
}

void QtPlatformTest::hourglass_setsOneOverrideCursor() {
    QtScreen screen;
    QVERIFY(screen.logPixelsX() > 0);
    screen.setMousePointer(IScreen::vbHourglass);
    screen.setMousePointer(IScreen::vbHourglass);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QCOMPARE(screen.mousePointer(), int(IScreen::vbHourglass));
    screen.setMousePointer(IScreen::vbDefault);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void QtPlatformTest::nullPortAndPlayer_failAndSayWhy() {
    NullSerialPort port;
    port.setCommPort(2);
    QVERIFY(!port.setPortOpen(true));
    QVERIFY(!port.portOpen());
    QVERIFY(QString::fromStdString(port.lastError()).contains("COM2"));
    QVERIFY(!port.portsAreDeviceFiles());
    NullWavPlayer player;
    QVERIFY(player.command("Open"));
    QVERIFY(!player.command("Play"));
    QVERIFY(player.mode() != IWavPlayer::kModePlaying);
}

void QtPlatformTest::portName_opensThatPortWhateverTheNumber() {
    QtSerialPort port;
    port.setCommPort(1);
    port.setDevicePath(1, "/dev/kvt3310-number-one");
    // Where ports are device files, the number opens the path set for it.
    QCOMPARE(port.deviceName(1) == "/dev/kvt3310-number-one", port.portsAreDeviceFiles());
    port.setPortName("COM3");
    QCOMPARE(port.portName(), std::string("COM3"));
    QVERIFY(!port.setPortOpen(true));
    QVERIFY2(QString::fromStdString(port.lastError()).startsWith("COM3"), port.lastError().c_str());
    // An empty name gives the choice back to the number.
    port.setPortName("");
    QCOMPARE(port.portName(), port.deviceName(1));
}

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
