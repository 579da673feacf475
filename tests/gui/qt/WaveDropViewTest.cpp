// Wave files dropped on the slot rows of the window, and the converted copy made by the real converter.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QtTest>
#include <fstream>
#include <memory>

#include "gui/qt/EditorView.h"
#include "gui/qt/MainWindowView.h"
#include "platform/sound/SndfileWaveConverter.h"
#include "shell/Application.h"
#include "support/TestPlatform.h"
#include "tools/support/WaveBytes.h"

namespace {

using namespace WaveBytes;

/// The windows over the fakes, with the real sound converter.
struct DropFixture {
    TestPlatform test;
    SndfileWaveConverter converter;
    Platform platform{test.fs,    test.codec,   test.msgBox, test.fileDialog, test.serial, test.player, test.events,
                      test.clock, test.windows, test.viewer, test.screen,     test.ports,  converter};
    Application app{platform};
    std::unique_ptr<MainWindowView> main;

    DropFixture() {
        app.StartUp();
        app.showEditor();
        main = std::make_unique<MainWindowView>(app.mdi());
        main->addEditor(new EditorView(app.form()));
        main->show();
        [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(main.get());
    }
    template <typename W>
    W* find(const QString& name) const {
        return main->findChild<W*>(name);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = test.folder.file(name);
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
};

/// Drags `path` over `target` and drops it there, as the desktop does; true when the widget took the drag.
bool dragAndDrop(QWidget* target, const std::string& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    // The drop is handled once the drag has ended.
    QApplication::processEvents();
    return drop.isAccepted();
}

}  // namespace

class WaveDropViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validFileOnTheNameBox_fillsTheRow();
    void rowsBrowseCannotFill_refuseTheDrag();
    void stereoFloatOnBrowse_isRefusedThenTheCopyIsMadeAndShown();
    void textFileNamedWav_getsOnlyTheWaveMessage();
};

void WaveDropViewTest::validFileOnTheNameBox_fillsTheRow() {
    DropFixture f;
    const std::string gong = f.write("gong.wav", canonical(22050, 44100));
    QVERIFY(dragAndDrop(f.find<QLineEdit>("WaveFile_1"), gong));
    QCOMPARE(f.find<QLineEdit>("WaveFile_1")->text(), QString("gong"));
    QCOMPARE(f.find<QLabel>("MsgTime_1")->text(), QString("1.00"));
    QVERIFY(f.find<QPushButton>("Bt_Browse_2")->isEnabled());
    QVERIFY(f.test.msgBox.shown.empty());
}

void WaveDropViewTest::rowsBrowseCannotFill_refuseTheDrag() {
    DropFixture f;
    const std::string gong = f.write("gong.wav", canonical(22050, 44100));
    QVERIFY(!dragAndDrop(f.find<QPushButton>("Bt_Browse_3"), gong));
    QVERIFY(!dragAndDrop(f.find<QLineEdit>("WaveFile_3"), gong));
    QCOMPARE(f.find<QLineEdit>("WaveFile_3")->text(), QString());
}

void WaveDropViewTest::stereoFloatOnBrowse_isRefusedThenTheCopyIsMadeAndShown() {
    DropFixture f;
    // 1.50 s of a tone, two channels of 32-bit floats at 44.1 kHz.
    const std::string studio =
        f.write("Studio.wav", riff(chunk("fmt ", fmt(3, 2, 44100, 32)) + chunk("data", toneFloat(66150, 44100, 2))));
    f.test.msgBox.answerNext(IMessageBox::vbOK);
    f.test.msgBox.answerNext(IMessageBox::vbYes);
    QVERIFY(dragAndDrop(f.find<QPushButton>("Bt_Browse_1"), studio));

    QCOMPARE(f.test.msgBox.shown.size(), std::size_t(2));
    QCOMPARE(f.test.msgBox.shown[0].text, std::string("The file is not a mono file!"));
    const std::string copy = f.test.folder.file("Studio-22050Hz.wav");
    QCOMPARE(f.test.msgBox.shown[1].text,
             "The unit plays 16-bit mono WAVE files. Save a copy of this file in that "
             "form (16 bit, mono, 22.050 kHz) as:\n" +
                 copy + "\n\nThe original file stays as it is.");
    QVERIFY(f.test.fs.exists(copy));
    QCOMPARE(f.find<QLineEdit>("WaveFile_1")->text(), QString("Studio-22050Hz"));
    QCOMPARE(f.find<QLabel>("MsgTime_1")->text(), QString("1.50"));
    QCOMPARE(f.find<QLabel>("MsgSample_1")->text(), QString("22.050"));
    QCOMPARE(f.find<QLabel>("TotalTime")->text(), QString("1.50"));
}

void WaveDropViewTest::textFileNamedWav_getsOnlyTheWaveMessage() {
    DropFixture f;
    const std::string notes = f.write("notes.wav", "Gong at 9, welcome at 10, closing at 18.\r\n");
    QVERIFY(dragAndDrop(f.find<QLineEdit>("WaveFile_1"), notes));
    QCOMPARE(f.test.msgBox.shown.size(), std::size_t(1));
    QCOMPARE(f.test.msgBox.shown[0].text, std::string("The file is not a WAVE file!"));
    QCOMPARE(f.find<QLineEdit>("WaveFile_1")->text(), QString());
}

QTEST_MAIN(WaveDropViewTest)
#include "WaveDropViewTest.moc"
