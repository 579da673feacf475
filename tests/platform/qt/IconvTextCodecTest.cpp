// The iconv code page conversion: Windows-1252 by default, other code pages by setting, nothing ever dropped.
#include <QtTest>

#include "platform/StdFileSystem.h"
#include "platform/qt/IconvTextCodec.h"

class IconvTextCodecTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windows1252_roundTripsWesternLettersAndItsOwnExtras();
    void greekAndCzechCodePages_holdTheirLetters();
    void unmappableCharacters_becomeQuestionMarks_undefinedBytesReplacementChars();
    void settingsFile_namesTheCodePage_unknownOrBadValuesKeep1252();
};

void IconvTextCodecTest::windows1252_roundTripsWesternLettersAndItsOwnExtras() {
    IconvTextCodec codec;
    QCOMPARE(codec.codePage(), 1252);
    // Bytes written from the code page's table: ä ö ü ß é, then the euro sign, en dash and copyright sign.
    const std::string bytes = "\xE4\xF6\xFC\xDF\xE9 \x80\x96\xA9\r\n";
    QCOMPARE(codec.toUtf8(bytes), std::string("äöüßé €–©\r\n"));
    QCOMPARE(codec.fromUtf8("äöüßé €–©\r\n"), bytes);
    QCOMPARE(codec.fromUtf8("plain ASCII=1"), std::string("plain ASCII=1"));
    QCOMPARE(codec.toUtf8(""), std::string());
}

void IconvTextCodecTest::greekAndCzechCodePages_holdTheirLetters() {
    IconvTextCodec greek(1253);
    QCOMPARE(greek.codePage(), 1253);
    // Μήνυμα in Windows-1253: Μ 0xCC, ή 0xDE, ν 0xED, υ 0xF5, μ 0xEC, α 0xE1.
    QCOMPARE(greek.fromUtf8("Μήνυμα"), std::string("\xCC\xDE\xED\xF5\xEC\xE1"));
    QCOMPARE(greek.toUtf8("\xCC\xDE\xED\xF5\xEC\xE1"), std::string("Μήνυμα"));
    IconvTextCodec czech(1250);
    // Otevřít in Windows-1250: ř 0xF8, í 0xED.
    QCOMPARE(czech.fromUtf8("Otevřít"), std::string("Otev\xF8\xEDt"));
    QCOMPARE(czech.toUtf8("\x9A\x9E"), std::string("šž"));
}

void IconvTextCodecTest::unmappableCharacters_becomeQuestionMarks_undefinedBytesReplacementChars() {
    IconvTextCodec codec;
    QCOMPARE(codec.fromUtf8("a Ωmega ř\r\nnext line"), std::string("a ?mega ?\r\nnext line"));
    QCOMPARE(codec.fromUtf8("bad \xC3 utf8 \xFF!"), std::string("bad ? utf8 ?!"));
    QCOMPARE(codec.fromUtf8("emoji 😀 end"), std::string("emoji ? end"));
    // 0x81 and 0x8D have no character in Windows-1252.
    QCOMPARE(codec.toUtf8("x\x81y\x8D\r\nz"), std::string("x\xEF\xBF\xBDy\xEF\xBF\xBD\r\nz"));
    const std::string big(100000, '\xE9');
    QCOMPARE(codec.toUtf8(big).size(), 2 * big.size());
}

void IconvTextCodecTest::settingsFile_namesTheCodePage_unknownOrBadValuesKeep1252() {
    QTemporaryDir dir;
    StdFileSystem fs(dir.path().toStdString());
    const std::string settings = dir.path().toStdString() + "/KVT3310.INI";
    IconvTextCodec codec;
    codec.useSettingsOf(fs);
    QCOMPARE(codec.codePage(), 1252);
    for (const char* bad : {"CodePage=99999\r\n", "CodePage=12x\r\n", "CodePage=\r\n"}) {
        QVERIFY(fs.writeFileAtomic(settings, std::string("[File paths]\r\n") + bad));
        codec.useSettingsOf(fs);
        QCOMPARE(codec.codePage(), 1252);
    }
    QVERIFY(fs.writeFileAtomic(settings, "[Com settings]\r\nCommport=1\r\n[File paths]\r\ncodepage=1253\r\n"));
    codec.useSettingsOf(fs);
    QCOMPARE(codec.codePage(), 1253);
    QVERIFY(!codec.setCodePage(-5));
    QCOMPARE(codec.codePage(), 1253);
}

QTEST_GUILESS_MAIN(IconvTextCodecTest)
#include "IconvTextCodecTest.moc"
