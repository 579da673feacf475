// The splash window on screen: labels in every language's letters, the picture in front, keys, clicks and OK;
// no text on the band, the About window framed over the main window.
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "gui/qt/SplashView.h"
#include "settings/AppState.h"
#include "shell/frmSplash.h"
#include "support/TestPlatform.h"

class SplashViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splash_showsTheEnglishLabelsAndEndsOnAKey();
    void greek_showsGreekLettersWhateverTheCharset();
    void about_showsOkWhichCloses_aClickDoesNot();
    void pictureInFront_followsTheResolution();
    void french_longestTitleWrapsInsteadOfBeingCut();
    void band_carriesNoTextAtAnySizeOrLanguage();
    void splash_isFramelessAndCentredOnTheScreen();
    void about_isFramedTitledAndCentredOnTheMainWindow();
};

namespace {

struct Fixture {
    TestPlatform test;
    AppState app;
    frmSplash model{test.platform, app};
    SplashView view{model};
    int opened = 0;

    Fixture() {
        app.strAPPFilePath = app.strLNGFilePath = app.stroLNGFilePath = test.folder.path() + "/";
        model.SplashDone = [this] { ++opened; };
    }
    /// Keeps a picture of the window where the test run collects its artefacts.
    void keep(const QString& name) {
        const QString folder = qEnvironmentVariable("KVT_ARTEFACTS");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        view.adjustSize();
        QVERIFY(view.grab().save(folder + "/" + name));
    }
    QLabel* label(int k) { return view.findChild<QLabel*>(QString("Lb_Logo_%1").arg(k)); }
    QPushButton* ok() { return view.findChild<QPushButton*>("Bt_Close"); }
};

}  // namespace

void SplashViewTest::splash_showsTheEnglishLabelsAndEndsOnAKey() {
    Fixture f;
    f.model.showSplash();
    QVERIFY(f.view.isVisible());
    QCOMPARE(f.label(0)->text(), QString("message manager set up"));
    QVERIFY(f.label(4)->text().startsWith("Release 2.0 (05-03)"));
    QVERIFY(f.label(0)->font().bold());
    QCOMPARE(f.label(0)->font().pointSizeF(), 24.0);
    QCOMPARE(f.label(1)->font().pointSizeF(), 14.25);
    QCOMPARE(f.label(5)->font().pointSizeF(), 7.5);
    QVERIFY(!f.ok()->isVisible());
    QTest::keyClick(&f.view, Qt::Key_Space);
    QCOMPARE(f.opened, 1);
    QVERIFY(!f.view.isVisible());
}

void SplashViewTest::greek_showsGreekLettersWhateverTheCharset() {
    Fixture f;
    f.app.LngBase = 10000;
    QVERIFY(f.test.fs.writeFileAtomic(f.app.strAPPFilePath + "KVT3310.INI", "[File paths]\r\nLanguageFile=el.lng\r\n"));
    f.model.showSplash();
    QCOMPARE(f.model.Lb_Logo[2].charset(), 161);
    QCOMPARE(f.label(2)->text(), QString::fromUtf8("μεταφόρτωση μηνυμάτων"));
    QCOMPARE(f.label(0)->font().pointSizeF(), 18.0);
    // No line of the Greek texts is cut: each fits its label's width or wraps.
    for (int k = 0; k < frmSplash::kLabels; ++k)
        QVERIFY(f.label(k)->wordWrap());
    QVERIFY(f.view.minimumWidth() >= SplashView::kWidth);
    f.keep("splash-el.png");
}

void SplashViewTest::about_showsOkWhichCloses_aClickDoesNot() {
    Fixture f;
    f.model.showAbout();
    QVERIFY(f.view.isVisible());
    QVERIFY(f.ok()->isVisible());
    QCOMPARE(f.ok()->text(), QString("OK"));
    QTest::mouseClick(&f.view, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(f.view.isVisible());
    QTest::mouseClick(f.ok(), Qt::LeftButton);
    QVERIFY(!f.view.isVisible());
    QCOMPARE(f.opened, 0);
}

void SplashViewTest::pictureInFront_followsTheResolution() {
    Fixture f;
    f.test.screen.dpi = 120;
    f.model.showSplash();
    QCOMPARE(&f.model.topImage(), &f.model.Image2);
    QVERIFY(f.view.minimumWidth() >= 750);
    f.test.screen.dpi = 96;
    f.model.chkWinFont1();
    QCOMPARE(&f.model.topImage(), &f.model.Image1);
    QCOMPARE(f.view.grab().isNull(), false);
}

void SplashViewTest::french_longestTitleWrapsInsteadOfBeingCut() {
    Fixture f;
    f.app.LngBase = 2000;
    QVERIFY(f.test.fs.writeFileAtomic(f.app.strAPPFilePath + "KVT3310.INI", "[File paths]\r\nLanguageFile=fr.lng\r\n"));
    f.model.showSplash();
    f.view.adjustSize();
    QLabel* title = f.label(0);
    QCOMPARE(title->text(), QString::fromUtf8("configuration du gestionnaire de messages"));
    QVERIFY(title->heightForWidth(title->width()) <= title->height());
    f.keep("splash-fr.png");
}

void SplashViewTest::band_carriesNoTextAtAnySizeOrLanguage() {
    for (const char* file : {"en.lng", "fr.lng", "de.lng", "el.lng"}) {
        for (int dpi : {96, 120}) {
            Fixture f;
            f.test.screen.dpi = dpi;
            QVERIFY(f.test.fs.writeFileAtomic(f.app.strAPPFilePath + "KVT3310.INI",
                                              std::string("[File paths]\r\nLanguageFile=") + file + "\r\n"));
            f.app.LngBase = QString(file) == "fr.lng" ? 2000 : QString(file) == "de.lng" ? 3000 : 0;
            if (QString(file) == "el.lng")
                f.app.LngBase = 10000;
            f.model.showAbout();
            for (const QSize& size : {QSize(600, 360), QSize(750, 450), QSize(1100, 420), QSize(800, 700)}) {
                f.view.resize(size);
                QCoreApplication::processEvents();
                const int band = f.view.bandWidth();
                QCOMPARE(band, dpi == 120 ? 180 : 144);
                for (int k = 0; k < frmSplash::kLabels; ++k) {
                    QLabel* label = f.label(k);
                    if (!label->isVisible())
                        continue;
                    QVERIFY2(label->geometry().left() >= band + 8,
                             qPrintable(QString("%1 at %2 dpi, %3x%4: label %5 at %6, band %7")
                                            .arg(file)
                                            .arg(dpi)
                                            .arg(f.view.width())
                                            .arg(f.view.height())
                                            .arg(k)
                                            .arg(label->geometry().left())
                                            .arg(band)));
                }
                // The picture is drawn so: dark band, then the orange stripe, then the light part.
                const QImage image = f.view.grab().toImage();
                const int y = f.view.height() * 9 / 10;
                QVERIFY(qGray(image.pixel(image.width() * (band - 12) / f.view.width(), y)) < 100);
                QVERIFY(qGray(image.pixel(image.width() * (band + 3) / f.view.width(), y)) > 200);
            }
            if (QString(file) == "el.lng" && dpi == 96) {
                f.view.adjustSize();
                f.keep("about-el.png");
            }
        }
    }
}

void SplashViewTest::splash_isFramelessAndCentredOnTheScreen() {
    Fixture f;
    f.model.showSplash();
    QVERIFY(f.view.windowFlags().testFlag(Qt::FramelessWindowHint));
    const QRect screen = f.view.screen()->availableGeometry();
    QVERIFY((f.view.frameGeometry().center() - screen.center()).manhattanLength() <= 2);
}

void SplashViewTest::about_isFramedTitledAndCentredOnTheMainWindow() {
    Fixture f;
    QWidget main;
    main.setGeometry(40, 60, 1000, 600);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    f.view.setOwner(&main);
    // The splash came first, without a frame; the About window that follows has one.
    f.model.showSplash();
    f.model.Form_KeyPress();
    f.model.Caption = "About Tavro message manager";
    f.model.showAbout();
    QVERIFY(f.view.isVisible());
    QVERIFY(!f.view.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.view.windowFlags().testFlag(Qt::WindowTitleHint));
    QCOMPARE(f.view.windowTitle(), QString("About Tavro message manager"));
    // Over the main window, in its middle (the offscreen platform may widen the window once shown, after
    // it was placed: the height is placed exactly).
    QVERIFY(main.frameGeometry().contains(f.view.frameGeometry()));
    QVERIFY(std::abs(f.view.frameGeometry().center().y() - main.frameGeometry().center().y()) <= 2);
    f.keep("about-en.png");
}

QTEST_MAIN(SplashViewTest)
#include "SplashViewTest.moc"
