#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>
#include <array>

#include "GuiFixture.h"

/// Checks shared by the tests of the editor's fit on a screen of one size at one scaling: in every language,
/// at start and after switching, the window fits the screen with room for a title bar and a task bar, and
/// every control of both groups shows whole, without a scroll bar.
namespace EditorFit {

/// Room a desktop takes beside the window's own content: a task bar and the window's title bar and borders.
constexpr int kTaskBarAndTitle = 80;
constexpr int kBorders = 16;

/// The eleven built-in languages, as their settings name them.
inline const std::array<const char*, 11> kFiles = {"en.lng", "fr.lng", "nl.lng", "de.lng", "es.lng", "it.lng",
                                                   "pt.lng", "cs.lng", "fi.lng", "no.lng", "el.lng"};

/// Starts the offscreen platform with one screen of the given size in physical pixels.
inline void useScreen(int width, int height, const char* scale) {
    const QString config = QDir::temp().filePath(QString("kvt3310-screen-%1x%2.json").arg(width).arg(height));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly))
        file.write(QString(R"({"screens":[{"name":"fit","x":0,"y":0,"width":%1,"height":%2,)"
                           R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                       .arg(width)
                       .arg(height)
                       .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    qputenv("QT_SCALE_FACTOR", scale);
}

/// Lets queued layout work and the window's own fitting run.
inline void settle() {
    for (int i = 0; i < 3; ++i)
        QTest::qWait(10);
}

/// Every widget of both groups lies inside the scroll area's viewport, with no scroll bar, every text
/// whole, and the window within the screen's room.
inline void verifyFits(GuiFixture& f, const QString& where) {
    const QRect available = f.main->screen()->availableGeometry();
    const QString at = where + QString(" (window %1x%2)").arg(f.main->width()).arg(f.main->height());
    QVERIFY2(f.main->width() <= available.width() - kBorders, qPrintable(at));
    QVERIFY2(f.main->height() <= available.height() - kTaskBarAndTitle, qPrintable(at));

    auto* scroll = f.find<QScrollArea>("Form1_scroll");
    QVERIFY2(!scroll->horizontalScrollBar()->isVisible(), qPrintable(at));
    QVERIFY2(!scroll->verticalScrollBar()->isVisible(), qPrintable(at));
    const QRect viewport = scroll->viewport()->rect();
    for (const char* name : {"Frame1_0", "Frame1_1"}) {
        auto* group = f.find<QGroupBox>(name);
        QVERIFY2(viewport.contains(QRect(group->mapTo(scroll->viewport(), QPoint()), group->size())),
                 qPrintable(at + " " + name));
        for (auto* w : group->findChildren<QWidget*>()) {
            if (w->isHidden() || !w->parentWidget() || w->parentWidget() != group)
                continue;
            const QRect box(w->mapTo(scroll->viewport(), QPoint()), w->size());
            QVERIFY2(viewport.contains(box), qPrintable(at + " " + w->objectName()));
        }
        QVERIFY2(group->width() >= group->fontMetrics().horizontalAdvance(group->title()), qPrintable(at + " " + name));
    }
    for (auto* label : f.editor->findChildren<QLabel*>()) {
        // The status panels cut a long text by design and show it whole as their tooltip.
        if (label->isHidden() || label->text().isEmpty() || !label->pixmap().isNull() ||
            label->objectName().startsWith("sbrStatus"))
            continue;
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                 qPrintable(at + " " + label->objectName() + ": " + label->text()));
    }
    for (auto* button : f.editor->findChildren<QAbstractButton*>())
        QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()),
                 qPrintable(at + " " + button->objectName() + ": " + button->text()));
}

/// Each language at start, from the settings file.
inline void verifyEachLanguageAtStart() {
    for (const char* file : kFiles) {
        GuiFixture f(std::string("[File paths]\r\nLanguageFile=") + file + "\r\n");
        settle();
        verifyFits(f, QString("start in ") + file);
        if (QTest::currentTestFailed())
            return;
    }
}

/// One window switched through every language by its menu, and back to English.
inline void verifyEachLanguageAfterSwitching() {
    GuiFixture f;
    for (int i : {10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
        f.mdi().LngSel[i].click();
        settle();
        verifyFits(f, QString("switched to ") + kFiles[static_cast<std::size_t>(i)]);
        if (QTest::currentTestFailed())
            return;
    }
}

/// A status text far longer than the form, then a maximise, a restore and a resize: the window keeps to
/// the screen and the form shows whole, the text cut in its panel and whole in its tooltip.
inline void verifyAfterLongStatusAndResize() {
    GuiFixture f;
    settle();
    const std::string reason =
        "Cannot open the RS232 port /dev/serial/by-id/usb-0403_6001_FT2345AB-if00-port0: "
        "Permission denied. Add your user to the dialout group and log in again.";
    f.form().sbrStatus.setPanelText(1, reason);
    f.form().sbrStatus.setPanelText(2, "RS232 PORT: /dev/serial/by-id/usb-0403_6001_FT2345AB 115200,N,8,2");
    settle();
    verifyFits(f, "long status");
    f.main->showMaximized();
    settle();
    f.main->showNormal();
    settle();
    verifyFits(f, "long status, maximised and restored");
    f.main->resize(f.main->size() + QSize(40, 0));
    settle();
    f.main->resize(f.main->sizeHint());
    settle();
    verifyFits(f, "long status, resized");
    auto* panel = f.find<QLabel>("sbrStatus_1");
    QCOMPARE(panel->toolTip(), QString::fromStdString(reason));
    QVERIFY(panel->width() < panel->fontMetrics().horizontalAdvance(panel->text()));
}

}  // namespace EditorFit
