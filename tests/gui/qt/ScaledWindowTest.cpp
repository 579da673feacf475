// The main window with the editor at 150% scaling: nothing clipped, and a picture of it.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "EditorFit.h"
#include "GuiFixture.h"

class ScaledWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scaledWindow_showsEveryTextWhole();
};

void ScaledWindowTest::scaledWindow_showsEveryTextWhole() {
    QCOMPARE(qApp->devicePixelRatio(), 1.5);
    GuiFixture f;
    Form1& form = f.form();
    form.WaveFile[1].setText("announcement");
    form.MsgTime[1].setCaption("12345.67");
    form.MsgSize[1].setCaption("8380");
    form.MsgSample[1].setCaption("22.050");
    form.TotalTime.setCaption("12345.67");
    form.TotalSize.setCaption("8380");
    form.TrgTime[12].setCaption("49382.68");
    f.main->resize(f.main->sizeHint());
    QTest::qWait(50);
    EditorFit::verifyFits(f, "150%");

    const QString path = saveArtefact(f.main.get(), "main-window-150.png");
    QVERIFY2(!path.isEmpty(), "picture not saved");
}

int main(int argc, char** argv) {
    // Scaling is fixed when the application starts; the screen holds the whole window, which otherwise keeps
    // to the screen and scrolls.
    EditorFit::useScreen(1920, 1080, "1.5");
    QApplication app(argc, argv);
    ScaledWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScaledWindowTest.moc"
