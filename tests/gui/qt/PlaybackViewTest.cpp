// The editor window while a trigger sequence plays on the real player and event loop: it takes the user's
// clicks, and its play buttons show the play.
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "gui/qt/EditorView.h"
#include "platform/qt/DiskAudio.h"

class PlaybackViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void zoneBoxClickedDuringSequence_takesEffectWhileSequencePlays();

private:
    QTemporaryDir m_dir;
};

void PlaybackViewTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    DiskAudio::selectDriver("disk");
    DiskAudio::outputTo(m_dir.filePath("out.raw"));
}

void PlaybackViewTest::zoneBoxClickedDuringSequence_takesEffectWhileSequencePlays() {
    AudioEditor e;
    e.fill(1, 8000, DiskAudio::samples(4000, 1));  // 0.5 s
    e.fill(2, 8000, DiskAudio::samples(4000, 2));
    e.steps(1, {"1", "2"});
    EditorView view(e.form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto* play = view.findChild<QPushButton*>("TrgBt_1");
    auto* zone = view.findChild<QCheckBox*>("Check1_3");
    QVERIFY(play && zone);
    e.app.blnChanged = false;

    bool clicked = false, seqPlaying = false, checked = false;
    QString caption;
    QTimer during;
    during.setSingleShot(true);
    connect(&during, &QTimer::timeout, [&] {
        QTest::mouseClick(zone, Qt::LeftButton);
        clicked = true;
        seqPlaying = e.form.SeqPlaying;
        checked = e.form.Check1[3].value() == 1 && e.app.blnChanged;
        caption = play->text();
    });
    during.start(250);
    QTimer watchdog;  // ends a sequence that hangs
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [&] { e.form.TrgBt[1].click(); });
    watchdog.start(10000);

    QTest::mouseClick(play, Qt::LeftButton);
    QVERIFY(clicked);
    QVERIFY(seqPlaying);
    QVERIFY(checked);
    QCOMPARE(caption, QString("-"));
    QVERIFY(zone->isChecked());
    QTRY_COMPARE_WITH_TIMEOUT(play->text(), QString(">"), 5000);
    QVERIFY(!e.form.SeqPlaying);
}

QTEST_MAIN(PlaybackViewTest)
#include "PlaybackViewTest.moc"
