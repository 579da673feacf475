// The main window: the menu tree in its order and following the model, commands reaching the model, and
// the close box asking the model before the window goes.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "GuiFixture.h"

namespace {

/// A menu text without the mark of its underlined letter.
QString plain(QString text) {
    return text.remove('&');
}

QStringList titles(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator())
            out << plain(a->text());
    return out;
}

}  // namespace

class MainWindowViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menus_holdEveryItemInItsOrder();
    void menuItems_followTheModel();
    void command_reachesTheModel_andTheModelKeepsTheCheckMark();
    void closeBox_refusedByTheModel_keepsTheWindow();
    void closeBox_allowedByTheModel_closesOnce();
    void exitCommand_closesWithoutAskingTwice();
    void editor_isTheMaximisedOnlyChild();
};

void MainWindowViewTest::menus_holdEveryItemInItsOrder() {
    GuiFixture f;
    QCOMPARE(titles(f.main->menuBar()->actions()), QStringList({"File", "Setup", "Help"}));
    QCOMPARE(titles(f.find<QMenu>("File")->actions()),
             QStringList({"Open", "Save", "Save as", "Save as text file", "Save as with its files…", "Read from unit…", "Exit"}));
    QCOMPARE(titles(f.find<QMenu>("Setup")->actions()), QStringList({"Com port", "Language", "Protocol trace"}));
    QCOMPARE(titles(f.find<QMenu>("Comport")->actions()), QStringList({"Com1", "Com2"}));
    QCOMPARE(titles(f.find<QMenu>("Language")->actions()),
             QStringList({"en", "fr", "nl", "de", "es", "it", "pt", "cs", "fi", "no", "el", "other"}));
    QCOMPARE(titles(f.find<QMenu>("Help")->actions()),
             QStringList({"Instructions for use", "Contacts", "About Tavro message manager"}));
    for (const char* name :
         {"Open", "Save", "Save_as", "Save_as_text_file", "Save_as_with_its_files", "Read_from_unit", "Exit", "Com1", "Com2", "LngSel_0",
          "LngSel_10", "other", "Trace", "Instructions_for_use", "Contacts", "About_Tavro_message_manager"})
        QVERIFY2(f.find<QAction>(name), name);
}

void MainWindowViewTest::menuItems_followTheModel() {
    GuiFixture f;
    MDIKVT3310& mdi = f.mdi();
    mdi.Com2.setChecked(true);
    mdi.Save.setEnabled(false);
    mdi.Contacts.setVisible(false);
    mdi.LngSel[5].setCaption("italiano");
    mdi.Setup.setCaption("Impostazioni");
    mdi.Language.setEnabled(false);

    QVERIFY(f.find<QAction>("Com2")->isChecked());
    QVERIFY(!f.find<QAction>("Save")->isEnabled());
    QVERIFY(!f.find<QAction>("Contacts")->isVisible());
    QCOMPARE(plain(f.find<QAction>("LngSel_5")->text()), QString("italiano"));
    QCOMPARE(plain(f.find<QMenu>("Setup")->title()), QString("Impostazioni"));
    QVERIFY(!f.find<QMenu>("Language")->menuAction()->isEnabled());

    // The upload disables the whole window.
    mdi.setEnabled(false);
    QVERIFY(!f.main->isEnabled());
    mdi.setEnabled(true);
    QVERIFY(f.main->isEnabled());
}

void MainWindowViewTest::command_reachesTheModel_andTheModelKeepsTheCheckMark() {
    GuiFixture f;
    MDIKVT3310& mdi = f.mdi();
    int opens = 0, com1 = 0;
    mdi.Open.Click = [&] { ++opens; };
    // A handler that does not tick the item: Qt's own toggle must not stay.
    mdi.Com1.Click = [&] { ++com1; };
    mdi.Com1.setChecked(false);

    f.find<QAction>("Open")->trigger();
    f.find<QAction>("Com1")->trigger();
    QCOMPARE(opens, 1);
    QCOMPARE(com1, 1);
    QVERIFY(!f.find<QAction>("Com1")->isChecked());

    mdi.Com1.Click = [&] { mdi.Com1.setChecked(true); };
    f.find<QAction>("Com1")->trigger();
    QVERIFY(f.find<QAction>("Com1")->isChecked());

    // A disabled item passes nothing on.
    mdi.Open.setEnabled(false);
    f.find<QAction>("Open")->trigger();
    QCOMPARE(opens, 1);
}

void MainWindowViewTest::closeBox_refusedByTheModel_keepsTheWindow() {
    GuiFixture f;
    int asked = 0;
    f.mdi().QueryUnload = [&] {
        ++asked;
        return false;
    };
    QVERIFY(!f.main->close());
    QCOMPARE(asked, 1);
    QVERIFY(f.main->isVisible());
}

void MainWindowViewTest::closeBox_allowedByTheModel_closesOnce() {
    GuiFixture f;
    int asked = 0, unloaded = 0;
    f.mdi().QueryUnload = [&] {
        ++asked;
        return true;
    };
    auto chained = f.mdi().Unload;
    f.mdi().Unload = [&, chained] {
        ++unloaded;
        if (chained)
            chained();
    };
    QVERIFY(f.main->close());
    QCOMPARE(asked, 1);
    QCOMPARE(unloaded, 1);
    QVERIFY(!f.main->isVisible());
}

void MainWindowViewTest::exitCommand_closesWithoutAskingTwice() {
    GuiFixture f;
    int asked = 0;
    f.mdi().QueryUnload = [&] {
        ++asked;
        return true;
    };
    f.find<QAction>("Exit")->trigger();
    QCOMPARE(asked, 1);
    QVERIFY(!f.main->isVisible());
}

void MainWindowViewTest::editor_isTheMaximisedOnlyChild() {
    GuiFixture f;
    const auto children = f.main->mdiArea()->subWindowList();
    QCOMPARE(children.size(), 1);
    QVERIFY(children.first()->isMaximized());
    QCOMPARE(children.first()->widget(), static_cast<QWidget*>(f.editor));
    // The caption stays the model's: the child adds nothing to it.
    f.mdi().setCaption("KVT3310 set up ");
    QCOMPARE(f.main->windowTitle(), QString("KVT3310 set up "));
}

QTEST_MAIN(MainWindowViewTest)
#include "MainWindowViewTest.moc"
