// The window by keyboard: underlined letters of the menus in every language, Ctrl+O and Ctrl+S, the order
// of the Tab key through the editor, and connecting from the keyboard.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "GuiFixture.h"
#include "gui/qt/MenuMnemonics.h"

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void assign_prefersWordStarts_neverRepeatsALetter_doublesAmpersands();
    void menus_haveAltFSH_andTheirItemsOwnLetters();
    void anyLanguage_menuLettersStayDistinct();
    void ctrlOAndCtrlS_openAndSave();
    void tab_walksSlotRowsThenTriggerRowsThenTheUploadRow();
    void indicator_takesTheFocusAndConnectsWithSpace();
};

namespace {

/// The underlined letter of a menu text, lower case; a null character for none.
QChar letterOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&' && text[i + 1] == '&') {
            ++i;
            continue;
        }
        if (text[i] == '&')
            return text[i + 1].toLower();
    }
    return {};
}

}  // namespace

void KeyboardTest::assign_prefersWordStarts_neverRepeatsALetter_doublesAmpersands() {
    QCOMPARE(MenuMnemonics::assign({"Open", "Save", "Save as", "Save as text file", "Exit"}),
             QStringList({"&Open", "&Save", "Save &as", "Save as &text file", "&Exit"}));
    QCOMPARE(MenuMnemonics::assign({" File", "Setup", "Help"}), QStringList({" &File", "&Setup", "&Help"}));
    QCOMPARE(MenuMnemonics::assign({"Soubor", "Nastavení", "Nápověda"}),
             QStringList({"&Soubor", "&Nastavení", "N&ápověda"}));
    QCOMPARE(MenuMnemonics::assign({" Archivo", "Configuración", "Ayuda"}),
             QStringList({" &Archivo", "&Configuración", "A&yuda"}));
    QCOMPARE(MenuMnemonics::assign({"ab", "ba", "ab"}), QStringList({"&ab", "&ba", "ab"}));
    QCOMPARE(MenuMnemonics::assign({"Tom & Jerry"}), QStringList({"&Tom && Jerry"}));
}

void KeyboardTest::menus_haveAltFSH_andTheirItemsOwnLetters() {
    GuiFixture f;
    QCOMPARE(f.find<QMenu>("File")->title(), QString("&File"));
    QCOMPARE(f.find<QMenu>("Setup")->title(), QString("&Setup"));
    QCOMPARE(f.find<QMenu>("Help")->title(), QString("&Help"));
    QCOMPARE(f.find<QAction>("Open")->text(), QString("&Open"));
    QCOMPARE(f.find<QAction>("Save")->text(), QString("&Save"));
    QCOMPARE(f.find<QAction>("Exit")->text(), QString("&Exit"));

    // Alt+F opens the File menu.
    f.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.main.get()));
    QTest::keyClick(f.main.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(f.find<QMenu>("File")->isVisible());
    f.find<QMenu>("File")->close();
}

void KeyboardTest::anyLanguage_menuLettersStayDistinct() {
    GuiFixture f;
    for (int language = 0; language < MDIKVT3310::kLanguages; ++language) {
        f.mdi().LngSel[language].click();
        QList<QWidget*> menus = {f.main->menuBar()};
        for (const char* name : {"File", "Setup", "Help"})
            menus << f.find<QMenu>(name);
        for (QWidget* menu : menus) {
            QSet<QChar> letters;
            for (QAction* action : menu->actions()) {
                const QChar letter = letterOf(action->text());
                QVERIFY2(!letter.isNull(), qPrintable(action->text()));
                QVERIFY2(!letters.contains(letter), qPrintable(QString::number(language) + " " + action->text()));
                letters.insert(letter);
            }
        }
    }
}

void KeyboardTest::ctrlOAndCtrlS_openAndSave() {
    GuiFixture f;
    QCOMPARE(f.find<QAction>("Open")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(f.find<QAction>("Save")->shortcut(), QKeySequence(QKeySequence::Save));
    QCOMPARE(f.find<QAction>("Save")->shortcut().toString(), QString("Ctrl+S"));
    int opens = 0, saves = 0;
    f.mdi().Open.Click = [&] { ++opens; };
    f.mdi().Save.Click = [&] { ++saves; };
    f.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.main.get()));
    QTest::keyClick(f.main.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(f.main.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(opens, 1);
    QCOMPARE(saves, 1);
}

void KeyboardTest::tab_walksSlotRowsThenTriggerRowsThenTheUploadRow() {
    GuiFixture f;
    Form1& form = f.form();
    // Every control usable, so that Tab stops at each.
    for (int i = 1; i <= Form1::kSlots; ++i) {
        form.Bt_Browse[i].setEnabled(true);
        form.MsgBt[i].setEnabled(true);
        form.TrgBt[i].setEnabled(true);
    }
    for (int s = 1; s <= Form1::kTriggers * Form1::kSteps; ++s)
        form.TRG1[s].setEnabled(true);

    QStringList expected;
    for (int i = 1; i <= Form1::kSlots; ++i)
        expected << QString("WaveFile_%1").arg(i) << QString("Bt_Browse_%1").arg(i) << QString("MsgBt_%1").arg(i);
    for (int t = 1; t <= Form1::kTriggers; ++t) {
        expected << QString("TrgBt_%1").arg(t);
        for (int k = 1; k <= Form1::kSteps; ++k)
            expected << QString("TRG1_%1").arg(Form1::kSteps * (t - 1) + k);
        for (int z = 1; z <= Form1::kZones; ++z)
            expected << QString("Check1_%1").arg(Form1::kZones * (t - 1) + z);
    }
    expected << "imgNotConnected"
             << "Bt_SendMessage";

    f.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.main.get()));
    f.find<QWidget>("WaveFile_1")->setFocus();
    QStringList visited = {QApplication::focusWidget()->objectName()};
    for (qsizetype n = 1; n < expected.size(); ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void KeyboardTest::indicator_takesTheFocusAndConnectsWithSpace() {
    GuiFixture f;
    int clicks = 0;
    f.form().imgNotConnected.Click = [&] { ++clicks; };
    QWidget* indicator = f.find<QWidget>("imgNotConnected");
    QCOMPARE(indicator->focusPolicy(), Qt::StrongFocus);
    f.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.main.get()));
    indicator->setFocus();
    QTest::keyClick(indicator, Qt::Key_Space);
    QTest::keyClick(indicator, Qt::Key_Return);
    QCOMPARE(clicks, 2);
}

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
