// While an upload disables the window, its progress bar, percentage and remaining time, and status line look
// exactly as when the window is enabled.
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

#include "GuiFixture.h"

class DisabledWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void upload_progressAndStatusStayReadableWhileTheWindowIsDisabled();
};

void DisabledWindowTest::upload_progressAndStatusStayReadableWhileTheWindowIsDisabled() {
    GuiFixture f;
    Form1& form = f.form();
    form.ProgressBar1.setMax(100);
    form.ProgressBar1.setValue(45);
    form.ProgressBar1.setVisible(true);
    form.Lb_Percentage.setCaption("45%    Remaining Time: 00:12:34");
    form.sbrStatus.setPanelText(1, "Status: Gong File is uploading...");
    form.sbrStatus.setPanelText(3, "10:15:00");
    QTest::qWait(20);

    const QStringList names = {"ProgressBar1", "Lb_Percentage", "sbrStatus_1", "sbrStatus_3"};
    QList<QImage> enabled;
    for (const QString& name : names)
        enabled << f.find<QWidget>(name)->grab().toImage();

    f.mdi().setEnabled(false);
    QVERIFY(!f.find<QWidget>("Lb_Percentage")->isEnabled());
    for (qsizetype i = 0; i < names.size(); ++i)
        QVERIFY2(f.find<QWidget>(names[i])->grab().toImage() == enabled[i], qPrintable(names[i]));

    // The controls the user cannot use meanwhile do look disabled.
    QVERIFY(f.find<QWidget>("Bt_Browse_1")->grab().toImage() != QImage());
    QVERIFY(f.find<QWidget>("Bt_SendMessage")->palette().color(QPalette::Disabled, QPalette::ButtonText) !=
            f.find<QWidget>("Bt_SendMessage")->palette().color(QPalette::Active, QPalette::ButtonText));
}

QTEST_MAIN(DisabledWindowTest)
#include "DisabledWindowTest.moc"
