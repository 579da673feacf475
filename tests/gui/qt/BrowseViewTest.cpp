// Choosing a wave file for slot 1 from the window: the slot's row and the step lists follow in the widgets.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cstdint>
#include <fstream>
#include <string>

#include "GuiFixture.h"

namespace {

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

/// A canonical 16-bit mono PCM file of `samples` samples at `rate` Hz.
void writeWave(const std::string& path, std::uint32_t rate, std::uint32_t samples) {
    std::string bytes = "RIFF";
    put32(bytes, 36 + 2 * samples);
    bytes += "WAVEfmt ";
    put32(bytes, 16);
    put16(bytes, 1);
    put16(bytes, 1);
    put32(bytes, rate);
    put32(bytes, rate * 2);
    put16(bytes, 2);
    put16(bytes, 16);
    bytes += "data";
    put32(bytes, 2 * samples);
    bytes.append(2 * samples, '\0');
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

class BrowseViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void browseSlot1_showsTheFileAndOffersItInTheStepLists();
};

void BrowseViewTest::browseSlot1_showsTheFileAndOffersItInTheStepLists() {
    GuiFixture f;
    const std::string path = f.test.folder.file("gong.wav");
    writeWave(path, 22050, 30870);  // 1.40 s
    f.test.fileDialog.chooseNext(path);
    QTest::mouseClick(f.find<QPushButton>("Bt_Browse_1"), Qt::LeftButton);

    QCOMPARE(f.find<QLineEdit>("WaveFile_1")->text(), QString("gong"));
    QCOMPARE(f.find<QLabel>("MsgTime_1")->text(), QString("1.40"));
    QCOMPARE(f.find<QLabel>("MsgSize_1")->text(), QString("61"));
    QCOMPARE(f.find<QLabel>("MsgSample_1")->text(), QString("22.050"));
    QVERIFY(f.find<QPushButton>("MsgBt_1")->isEnabled());
    QVERIFY(f.find<QPushButton>("Bt_Browse_2")->isEnabled());
    for (int t = 1; t <= 12; ++t) {
        auto* step = f.find<QComboBox>(QString("TRG1_%1").arg(4 * (t - 1) + 1));
        QCOMPARE(step->count(), 2);
        QCOMPARE(step->itemText(1), QString("1"));
    }
}

QTEST_MAIN(BrowseViewTest)
#include "BrowseViewTest.moc"
