// Qt's own dialog texts follow the program's language where Qt has a translation, and go back to English.
#include <QCoreApplication>
#include <QtTest>

#include "gui/qt/DialogTranslations.h"
#include "settings/AppState.h"

class DialogTranslationsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachLanguage_translatesTheDialogsWhereQtCan();
};

void DialogTranslationsTest::eachLanguage_translatesTheDialogsWhereQtCan() {
    const QString english = "Look in:";
    auto lookIn = [] { return QCoreApplication::translate("QFileDialog", "Look in:"); };
    DialogTranslations translations;
    AppState app;
    const struct {
        std::int16_t base;
        bool external;
        bool translated;
    } cases[] = {{3000, false, true},   {2000, false, true}, {6000, false, true}, {9000, false, true},
                 {10000, false, false}, {3000, true, false}, {0, false, false}};
    for (const auto& c : cases) {
        app.LngBase = c.base;
        app.LngExternal = c.external;
        translations.follow(app);
        QVERIFY2((lookIn() != english) == c.translated, qPrintable(QString::number(c.base) + ": " + lookIn()));
    }
}

QTEST_MAIN(DialogTranslationsTest)
#include "DialogTranslationsTest.moc"
