// The editor on a 1024x768 screen: in every language, at start and after switching, and after a long status
// text and a resize, all of both groups shows without scrolling; in a smaller window a scroll bar; maximised,
// the form stays in the middle.
#include "EditorFit.h"

class EditorFitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachLanguageAtStart_fitsWithoutScrolling() { EditorFit::verifyEachLanguageAtStart(); }
    void eachLanguageAfterSwitching_fitsWithoutScrolling() { EditorFit::verifyEachLanguageAfterSwitching(); }
    void longStatusAndResize_keepTheForm() { EditorFit::verifyAfterLongStatusAndResize(); }
    void windowSmallerThanTheForm_scrolls();
    void maximisedWindow_keepsTheFormInTheMiddle();
};

void EditorFitTest::windowSmallerThanTheForm_scrolls() {
    GuiFixture f;
    EditorFit::settle();
    f.main->resize(f.main->sizeHint() - QSize(200, 200));
    EditorFit::settle();
    auto* scroll = f.find<QScrollArea>("Form1_scroll");
    QVERIFY(scroll->horizontalScrollBar()->isVisible());
    QVERIFY(scroll->verticalScrollBar()->isVisible());
}

void EditorFitTest::maximisedWindow_keepsTheFormInTheMiddle() {
    GuiFixture f;
    f.main->showMaximized();
    EditorFit::settle();
    const QRect page = f.find<QWidget>("Form1_page")->rect();
    auto* messages = f.find<QGroupBox>("Frame1_0");
    auto* triggers = f.find<QGroupBox>("Frame1_1");
    const int left = messages->mapTo(f.find<QWidget>("Form1_page"), QPoint()).x();
    const int right = page.width() - triggers->mapTo(f.find<QWidget>("Form1_page"), QPoint(triggers->width(), 0)).x();
    QVERIFY2(std::abs(left - right) <= 2, qPrintable(QString("%1 left, %2 right").arg(left).arg(right)));
    // A language that needs more room while maximised leaves the window as it is.
    const QSize maximised = f.main->size();
    f.mdi().LngSel[10].click();
    EditorFit::settle();
    QCOMPARE(f.main->size(), maximised);
}

int main(int argc, char** argv) {
    EditorFit::useScreen(1024, 768, "1");
    QApplication app(argc, argv);
    EditorFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EditorFitTest.moc"
