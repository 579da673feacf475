// The SDL wave player on SDL's disk audio driver: a file's samples in order at its rate, the end of a file, an
// immediate stop, a trigger sequence through the editor, and a machine without an output device.
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "DiskAudio.h"

class SdlWavPlayerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void playedFile_reachesOutputInFullInOrderAtItsRate();
    void close_stopsAtOnceWithoutCompletion();
    void sequenceOfThreeSteps_playsFilesOneAfterAnotherInStepOrder();
    void noAudioDriver_playFailsAndCaptionsStayIdle();
    void outputThatCannotOpen_playFails();
    void fileWithoutSound_openFails();

private:
    QString out(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void SdlWavPlayerTest::init() {
    QVERIFY(m_dir.isValid());
    DiskAudio::selectDriver("disk");
    DiskAudio::outputTo(out("out.raw"));
}

void SdlWavPlayerTest::playedFile_reachesOutputInFullInOrderAtItsRate() {
    for (std::uint32_t rate : {8000u, 22050u}) {
        TempFolder folder;
        const auto sound = DiskAudio::samples(static_cast<int>(rate / 10), 1);  // 0.1 s, a few output buffers
        DiskAudio::writeWave(folder.file("a.wav"), rate, sound);
        const QString output = out(QString("rate%1.raw").arg(rate));
        DiskAudio::outputTo(output);

        SdlWavPlayer player;
        int done = 0;
        player.Done = [&] { ++done; };
        player.setDeviceType("WaveAudio");
        player.setFileName(folder.file("a.wav"));
        QVERIFY(player.command("Open"));
        QVERIFY(player.command("Play"));
        QCOMPARE(player.mode(), IWavPlayer::kModePlaying);
        QCOMPARE(player.deviceRate(), static_cast<int>(rate));
        QCOMPARE(done, 0);  // "Play" returned before the sound was out

        QTRY_COMPARE_WITH_TIMEOUT(done, 1, 5000);
        QVERIFY(player.mode() != IWavPlayer::kModePlaying);
        // Opened at the file's own rate the output takes the samples unchanged; any resampling would alter them.
        QCOMPARE(DiskAudio::heard(DiskAudio::readOutput(output)), sound);
    }
}

void SdlWavPlayerTest::close_stopsAtOnceWithoutCompletion() {
    TempFolder folder;
    const auto sound = DiskAudio::samples(16000, 2);  // 2 s at 8000 Hz
    DiskAudio::writeWave(folder.file("long.wav"), 8000, sound);
    SdlWavPlayer player;
    int done = 0;
    player.Done = [&] { ++done; };
    player.setFileName(folder.file("long.wav"));
    QVERIFY(player.command("Open"));
    QVERIFY(player.command("Play"));
    QTest::qWait(100);

    QVERIFY(player.command("Close"));
    QVERIFY(player.mode() != IWavPlayer::kModePlaying);
    const auto heard = DiskAudio::heard(DiskAudio::readOutput(out("out.raw")));
    QVERIFY(heard.size() < sound.size() / 2);
    QVERIFY(std::equal(heard.begin(), heard.end(), sound.begin()));
    QTest::qWait(100);
    QCOMPARE(done, 0);
    QVERIFY(player.command("Close"));  // harmless when nothing is open
}

void SdlWavPlayerTest::sequenceOfThreeSteps_playsFilesOneAfterAnotherInStepOrder() {
    AudioEditor e;
    std::vector<std::vector<std::int16_t>> sounds(4);
    const std::uint32_t rates[] = {0, 8000, 11025, 16000};
    for (int i = 1; i <= 3; ++i) {
        sounds[i] = DiskAudio::samples(static_cast<int>(rates[i] / 20), i);
        e.fill(i, rates[i], sounds[i]);
    }
    e.steps(1, {"3", "1", "2", " "});
    QVERIFY(e.form.TrgBt[1].enabled());

    // The output file is rewritten at each "Play", so each file's play goes to a file of its own.
    int finished = 0;
    std::vector<bool> seqPlayingAtEnd;
    const auto editorDone = e.player.Done;
    e.player.Done = [&, editorDone] {
        ++finished;
        seqPlayingAtEnd.push_back(e.form.SeqPlaying);
        DiskAudio::outputTo(out(QString("step%1.raw").arg(finished + 1)));
        editorDone();
    };
    DiskAudio::outputTo(out("step1.raw"));
    QTimer watchdog;  // ends a sequence that hangs
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [&] { e.form.TrgBt[1].click(); });
    watchdog.start(10000);

    e.form.TrgBt[1].click();
    QCOMPARE(finished, 3);
    QCOMPARE(seqPlayingAtEnd, (std::vector<bool>{true, true, true}));
    QVERIFY(!e.form.SeqPlaying);
    QCOMPARE(e.form.TrgBt[1].caption(), std::string(">"));
    QCOMPARE(DiskAudio::heard(DiskAudio::readOutput(out("step1.raw"))), sounds[3]);
    QCOMPARE(DiskAudio::heard(DiskAudio::readOutput(out("step2.raw"))), sounds[1]);
    QCOMPARE(DiskAudio::heard(DiskAudio::readOutput(out("step3.raw"))), sounds[2]);
}

void SdlWavPlayerTest::noAudioDriver_playFailsAndCaptionsStayIdle() {
    DiskAudio::selectDriver("no-such-driver");
    AudioEditor e;
    e.fill(1, 8000, DiskAudio::samples(800, 3));
    e.steps(1, {"1"});

    e.form.MsgBt[1].click();
    QCOMPARE(e.form.MsgBt[1].caption(), std::string(">"));
    QVERIFY(e.player.mode() != IWavPlayer::kModePlaying);
    e.form.TrgBt[1].click();
    QCOMPARE(e.form.TrgBt[1].caption(), std::string(">"));
    QVERIFY(!e.form.SeqPlaying);
    QVERIFY(!e.form.Picture1.visible());
}

void SdlWavPlayerTest::outputThatCannotOpen_playFails() {
    TempFolder folder;
    DiskAudio::writeWave(folder.file("a.wav"), 8000, DiskAudio::samples(800, 4));
    DiskAudio::outputTo(out("no-such-folder/out.raw"));
    SdlWavPlayer player;
    player.setFileName(folder.file("a.wav"));
    QVERIFY(player.command("Open"));
    QVERIFY(!player.command("Play"));
    QVERIFY(player.mode() != IWavPlayer::kModePlaying);
}

void SdlWavPlayerTest::fileWithoutSound_openFails() {
    TempFolder folder;
    SdlWavPlayer player;
    player.setFileName(folder.file("missing.wav"));
    QVERIFY(!player.command("Open"));
    QVERIFY(!player.command("Play"));
    QFile text(QString::fromStdString(folder.file("text.wav")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20));
    text.close();
    player.setFileName(folder.file("text.wav"));
    QVERIFY(!player.command("Open"));
}

QTEST_GUILESS_MAIN(SdlWavPlayerTest)
#include "SdlWavPlayerTest.moc"
