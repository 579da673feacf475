// The editor at 150% scaling on a 1920x1080 screen: in every language, at start and after switching, all of
// both groups shows without scrolling, also after a long status text and a resize.
#include "EditorFit.h"

class ScaledEditorFitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachLanguageAtStart_fitsWithoutScrolling() { EditorFit::verifyEachLanguageAtStart(); }
    void eachLanguageAfterSwitching_fitsWithoutScrolling() { EditorFit::verifyEachLanguageAfterSwitching(); }
    void longStatusAndResize_keepTheForm() { EditorFit::verifyAfterLongStatusAndResize(); }
};

int main(int argc, char** argv) {
    EditorFit::useScreen(1920, 1080, "1.5");
    QApplication app(argc, argv);
    if (app.devicePixelRatio() != 1.5)
        return 1;
    ScaledEditorFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScaledEditorFitTest.moc"
