// The program started twice: the second copy finds the first by its caption, asks it to show itself and
// ends at once without a window of its own, while the first runs on.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class SecondCopyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondStart_endsAtOnce_andTheFirstRunsOn();
};

void SecondCopyTest::secondStart_endsAtOnce_andTheFirstRunsOn() {
    // A program folder of its own, so that its settings and marker files land there.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString program = folder.filePath("kvt3310");
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/kvt3310", program));

    // With a remembered language the first copy applies it at start and writes its caption to the marker.
    QFile settings(folder.filePath("KVT3310.INI"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[File Paths]\r\nLanguageFile=en.lng\r\n");
    settings.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess first;
    first.setProcessEnvironment(env);
    first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    first.start(program, {});
    QVERIFY(first.waitForStarted());
    // The marker holds the main window's caption once the splash has handed over.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("~KVT3310Temp")), 20000);

    QProcess second;
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.start(program, {});
    // A copy that did not find the first would show its splash and run on.
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);

    first.terminate();
    if (!first.waitForFinished(5000))
        first.kill();
    first.waitForFinished(5000);
}

QTEST_GUILESS_MAIN(SecondCopyTest)
#include "SecondCopyTest.moc"
