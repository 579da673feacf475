// The hidden service panel: its controls and the six commands against the emulated unit.
#include <gtest/gtest.h>

#include "shell/ServicePanel.h"
#include "unitlink/SerialLink.h"
#include "unitlink/TableBlocks.h"
#include "unitlink/UploadFixture.h"
#include "unitlink/UploadImage.h"

namespace {

using Bytes = UploadFixture::Bytes;

struct Service : UploadFixture {
    Service() { form.imgNotConnected.click(); }
    ServicePanel& panel() { return bench.service(); }
    void putBlock(std::uint32_t address, const Bytes& bytes) {
        for (std::size_t w = 0; w * 2 < bytes.size(); ++w)
            unit().setWord(address + static_cast<std::uint32_t>(w),
                           static_cast<std::uint16_t>(bytes[2 * w] << 8 | bytes[2 * w + 1]));
    }
    /// A message table block with messages at 0 and 0x200, end 0x500, count 2 and its check word.
    Bytes goodMessageTable() {
        Bytes block(128, 0);
        for (int k = 8; k < 48; ++k)
            block[k] = 0xFF;
        block[6] = 0x02;
        block[48 + 2] = 0x05;
        block[53] = 2;
        std::uint32_t s = 0;
        for (int w = 0; w < 63; ++w)
            s += block[2 * w] * 256u + block[2 * w + 1];
        std::uint16_t check = static_cast<std::uint16_t>(65536 - s % 65536 - 64);
        block[126] = static_cast<std::uint8_t>(check >> 8);
        block[127] = static_cast<std::uint8_t>(check);
        return block;
    }
};

}  // namespace

TEST(ServicePanel, controls_areBuiltHiddenWithTheirCaptions) {
    Service s;
    EXPECT_EQ(s.form.Command2.caption(), "Send Status");
    EXPECT_EQ(s.form.Command4.caption(), "* Flash Check");
    EXPECT_EQ(s.form.Command7.caption(), "Clr Msg");
    EXPECT_EQ(s.form.Text3.text(), "000000");
    for (const Control* c :
         {static_cast<const Control*>(&s.form.Command2), static_cast<const Control*>(&s.form.Command6),
          static_cast<const Control*>(&s.form.Text3), static_cast<const Control*>(&s.form.LastAddress),
          static_cast<const Control*>(&s.form.Combo1)})
        EXPECT_FALSE(c->visible());
}

TEST(ServicePanel, readStatus_fillsStepsAndZonesFromTheTriggerRecord) {
    Service s;
    s.putBlock(0x3FF000, s.goodMessageTable());
    Bytes triggers(128, 0);
    Bytes record = {0x00, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21};
    std::copy(record.begin(), record.end(), triggers.begin());
    s.putBlock(0x3FF100, triggers);
    s.panel().Command3_Click();

    EXPECT_EQ(s.status(), s.statusOf(2));
    EXPECT_EQ(s.form.TRG1[1].text(), "3");
    EXPECT_EQ(s.form.TRG1[2].text(), "1");
    EXPECT_EQ(s.form.TRG1[3].text(), "0");
    EXPECT_EQ(s.form.TRG1[4].text(), "0");
    for (int z = 1; z <= 6; ++z)
        EXPECT_EQ(s.form.Check1[z].value(), z == 1 || z == 6 ? 1 : 0) << z;
    EXPECT_EQ(s.form.LastAddress.text(), std::to_string(0x500));
    EXPECT_EQ(s.form.MsgNum.text(), "2");
    EXPECT_EQ(s.bench.image().MsgAddress[2], 0x200);
}

TEST(ServicePanel, sendStatusWithBadCheckWord_showsReadingFailedAndChangesNoTable) {
    Service s;
    Bytes table = s.goodMessageTable();
    table[127] ^= 1;
    s.putBlock(0x3FF000, table);
    const Bytes before = s.memory(0x3FF000, 512);
    s.panel().Command2_Click();
    EXPECT_EQ(s.status(), s.statusOf(4));
    EXPECT_EQ(s.unit().commandCount('E'), 0);
    EXPECT_EQ(s.unit().commandCount('W'), 0);
    EXPECT_EQ(s.memory(0x3FF000, 512), before);
}

TEST(ServicePanel, sendStatusWithGoodTable_rewritesBothTablesFromTheEditor) {
    Service s;
    s.putBlock(0x3FF000, s.goodMessageTable());
    s.form.TRG1[1].setText("2");
    s.form.Check1[2].setValue(1);
    s.panel().Command2_Click();
    EXPECT_EQ(s.status(), s.statusOf(2));
    EXPECT_EQ(s.memory(0x3FF000, 128), s.goodMessageTable());
    EXPECT_EQ(s.memory(0x3FF100, 10), (Bytes{0, 2, 0, 0, 0, 0, 0, 0, 0, 2}));
    EXPECT_EQ(s.unit().commandCount('L'), 1);
}

TEST(ServicePanel, flashCheck_showsTheSumTheUnitSendsBack) {
    Service s;
    s.unit().setWord(0x10, 0x1234);
    s.unit().setWord(0x11, 0x0001);
    s.form.Text3.setText("000010");
    s.panel().Command4_Click();
    EXPECT_EQ(s.status(), s.statusOf(6));
    // (0x1234 + 1) + (0x0001 + 1) + 62 erased words of 0xFFFF + 1 each (0 modulo 65536).
    EXPECT_EQ(s.form.Message.text(), std::to_string(0x1235 + 0x0002));
}

TEST(ServicePanel, eraseAndShowStop_sendTheTypedAddress) {
    Service s;
    s.putBlock(0x3FF100, Bytes(128, 0));
    s.form.Text3.setText("3ff100");
    s.panel().Command6_Click();
    EXPECT_EQ(s.status(), s.statusOf(9));
    EXPECT_EQ(s.memory(0x3FF100, 128), Bytes(128, 0xFF));
    EXPECT_EQ(s.bench.link().Status, 6);
    s.panel().Command5_Click();
    EXPECT_EQ(s.unit().commandCount('T'), 1);
    Bytes all = s.test.serial.writtenBytes();
    // The "T" frame: ..., length 00 03, payload 3F F1 00, checksum, CR LF.
    EXPECT_EQ(Bytes(all.end() - 8, all.end() - 4), (Bytes{0x03, 0x3F, 0xF1, 0x00}));
}

TEST(ServicePanel, clrMsg_emptiesEverySlotAndSendsNothing) {
    Service s;
    s.choose(1, s.wave("a.wav", 500));
    s.choose(2, s.wave("b.wav", 700));
    s.form.LastAddress.setText("175");
    s.form.MsgNum.setText("2");
    s.bench.image().MsgAddress[1] = 5;
    s.test.serial.written.clear();
    s.panel().Command7_Click();
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(s.form.WaveFile[i].text(), "") << i;
        EXPECT_EQ(s.bench.image().MsgAddress[i], 0);
    }
    EXPECT_EQ(s.form.LastAddress.text(), "");
    EXPECT_EQ(s.form.MsgNum.text(), "");
    EXPECT_TRUE(s.test.serial.written.empty());
}

TEST(ServicePanel, typedAddress_readsHexDigitsUpToTheFirstOtherCharacter) {
    Service s;
    s.form.Text3.setText("1fFz9");
    EXPECT_EQ(s.panel().typedAddress(), 0x1FF);
    s.form.Text3.setText("");
    EXPECT_EQ(s.panel().typedAddress(), 0);
}
