// The main window in German and in Greek: every text whole, and a picture of each for a look.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "EditorFit.h"
#include "GuiFixture.h"
#include "shell/LanguageApplier.h"

class LanguageWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void german_showsEveryTextWhole() { check(3000, "de.lng", "main-window-de.png"); }
    void greek_showsEveryTextWholeInGreekLetters() { check(10000, "el.lng", "main-window-el.png"); }

private:
    void check(std::int16_t base, const char* file, const char* picture);
};

void LanguageWindowTest::check(std::int16_t base, const char* file, const char* picture) {
    GuiFixture f;
    f.app.app().LngExternal = false;
    f.app.app().LngBase = base;
    QVERIFY(f.bench().language().OpenLng(file));
    // The longer texts take effect in the layouts first; the window then takes the size they need.
    QTest::qWait(50);
    f.main->resize(f.main->sizeHint());
    QTest::qWait(50);
    EditorFit::verifyFits(f, "language");
    QVERIFY2(!saveArtefact(f.main.get(), picture).isEmpty(), "picture not saved");
}

int main(int argc, char** argv) {
    // A screen that holds the whole window, which otherwise keeps to the screen and scrolls.
    EditorFit::useScreen(1920, 1080, "1");
    QApplication app(argc, argv);
    LanguageWindowTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "LanguageWindowTest.moc"
