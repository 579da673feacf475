// The upload image on the wire: wave data frames, the end frame, table frames, NAK retries, early ends and
// reading the message table back.
#include <gtest/gtest.h>

#include <fstream>

#include "unitlink/SerialLink.h"
#include "unitlink/UploadFixture.h"
#include "unitlink/UploadImage.h"
#include "unitlink/WireBytes.h"

namespace {

using Bytes = UploadFixture::Bytes;

using WireBytes::dataFrame;
using WireBytes::kEndFrame;
using WireBytes::kWToUnit;

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct Image : UploadFixture {
    explicit Image(UnitFaults faults = {}) : UploadFixture(std::move(faults)) { form.imgNotConnected.click(); }
    /// The image, holding the editor's set as it is now.
    UploadImage& image() {
        bench.image().setMessageSet(form.messageSet());
        return bench.image();
    }
    std::string rawFile(const std::string& name, const Bytes& bytes) {
        std::string path = test.folder.file(name);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        form.FilePath[1] = path;
        return path;
    }
};

}  // namespace

TEST(WriteMsgData, fourByteFile_goesOutAsTheExampleFrame) {
    Image t;
    t.rawFile("four.wav", {1, 2, 3, 4});
    ASSERT_TRUE(t.image().WriteMsgData(1));

    Bytes frame = {0x2A, 0x01, 0x61, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0xFB, 0xF7};
    frame.insert(frame.end(), 344, 0xFF);
    frame.insert(frame.end(), {0x33, 0x30, 0x0D, 0x0A});
    EXPECT_EQ(t.test.serial.writtenBytes(), concat({kWToUnit, frame, kEndFrame}));
    EXPECT_EQ(t.form.TMsgSize[1], 350);
    EXPECT_EQ(t.image().WriteAddress, 175);
    EXPECT_EQ(t.status(), t.statusOf(2));
}

TEST(WriteMsgData, fileOfThousandBytes_takesThreeFramesAndGrowsTheAddressBy525) {
    Image t;
    // A first message of one frame: the second goes on from word 175.
    t.rawFile("four.wav", {1, 2, 3, 4});
    ASSERT_TRUE(t.image().WriteMsgData(1));
    const std::size_t before = t.test.serial.writtenBytes().size();
    Bytes file = UploadFixture::waveBytes(1000, 3);
    t.rawFile("k.wav", file);
    ASSERT_TRUE(t.image().WriteMsgData(1));
    EXPECT_EQ(t.form.TMsgSize[1], 1050);
    EXPECT_EQ(t.form.MsgSize[1].caption(), "1");
    EXPECT_EQ(t.image().WriteAddress, 700);
    EXPECT_EQ(t.memory(175, 1000), file);
    // The frames of 350 bytes each go to the words 175, 350, 525.
    Bytes first(file.begin(), file.begin() + 350);
    Bytes all = t.test.serial.writtenBytes();
    EXPECT_EQ(Bytes(all.begin() + before + 13, all.begin() + before + 13 + 360), dataFrame(175, first));
}

TEST(WriteMsgData, nakOnAFrame_sendsTheSameFrameAgain) {
    Image t(UploadFixture::nakOn({3, 4}));
    Bytes file = UploadFixture::waveBytes(700, 5);
    t.rawFile("n.wav", file);
    ASSERT_TRUE(t.image().WriteMsgData(1));
    Bytes all = t.test.serial.writtenBytes();
    // W, frame 1, frame 2 three times, frame 3, end frame.
    ASSERT_EQ(all.size(), 13 + 5 * 360 + 7u);
    Bytes second(all.begin() + 13 + 360, all.begin() + 13 + 720);
    EXPECT_EQ(Bytes(all.begin() + 13 + 720, all.begin() + 13 + 1080), second);
    EXPECT_EQ(Bytes(all.begin() + 13 + 1080, all.begin() + 13 + 1440), second);
    EXPECT_EQ(t.image().WriteAddress, 525);
    EXPECT_EQ(t.memory(0, 700), file);
}

TEST(WriteMsgData, fiveNaksOnOneFrame_failWithStatus21AndCloseTheSequence) {
    Image t(UploadFixture::nakOn({3, 4, 5, 6, 7}));
    t.rawFile("n.wav", UploadFixture::waveBytes(1000, 5));
    EXPECT_FALSE(t.image().WriteMsgData(1));
    EXPECT_EQ(t.bench.link().Status, 21);
    EXPECT_EQ(t.status(), t.statusOf(3));
    // W, the first frame, the second five times, then the end frame so that the unit leaves the sequence.
    Bytes all = t.test.serial.writtenBytes();
    ASSERT_EQ(all.size(), 13 + 6 * 360u + 7u);
    EXPECT_EQ(Bytes(all.end() - 7, all.end()), kEndFrame);
    EXPECT_EQ(t.image().WriteAddress, 175);
}

TEST(WriteMsgData, otherReplyToAFrame_sendsCheckWordNextAndReportsFailure) {
    // The reply to the second data frame is corrupt (code 1): the file ends there.
    Image t(UploadFixture::corruptOn({3}));
    Bytes file = UploadFixture::waveBytes(1000, 7);
    t.rawFile("c.wav", file);
    EXPECT_FALSE(t.image().WriteMsgData(1));
    EXPECT_EQ(t.status(), t.statusOf(3));
    Bytes all = t.test.serial.writtenBytes();
    ASSERT_GE(all.size(), 13 + 3 * 360u);
    Bytes closing(all.begin() + 13 + 720, all.begin() + 13 + 1080);
    // Same address as the frame that got the odd reply, the check word over the 350 words sent before it.
    std::uint32_t b = 0;
    for (int i = 0; i < 700; i += 2)
        b += file[i] * 256u + file[i + 1] + 1;
    std::uint16_t check = static_cast<std::uint16_t>(0xFFFF - (b & 0xFFFF));
    Bytes data = {static_cast<std::uint8_t>(check >> 8), static_cast<std::uint8_t>(check)};
    data.resize(350, 0xFF);
    EXPECT_EQ(closing, dataFrame(175, data));
}

TEST(WriteMsgData, missingFile_failsWithoutSending) {
    Image t;
    t.form.FilePath[1] = t.test.folder.file("gone.wav");
    EXPECT_FALSE(t.image().WriteMsgData(1));
    EXPECT_EQ(t.status(), t.statusOf(3));
    EXPECT_TRUE(t.test.serial.written.empty());
}

TEST(WriteTables, triggerTableWithNoTrigger_goesOutAsOneFrameToWord3FF100) {
    Image t;
    ASSERT_TRUE(t.bench.link().CommandDo(0x55, 'W'));
    t.test.serial.written.clear();
    t.image().WriteAddress = 0x3FF100;
    t.image().WriteTrgTab();
    Bytes block(126, 0);
    block.insert(block.end(), {0xFF, 0xC0});
    EXPECT_EQ(t.test.serial.writtenBytes(), dataFrame(0x3FF100, block));
    EXPECT_EQ(t.bench.link().Status, 6);
}

TEST(WriteTables, fiveNaks_endWithStatus21AfterFiveTries) {
    Image t(UploadFixture::nakOn({2, 3, 4, 5, 6}));
    ASSERT_TRUE(t.bench.link().CommandDo(0x55, 'W'));
    t.test.serial.written.clear();
    t.image().WriteAddress = 0x3FF000;
    t.image().MsgAddress.fill(-1);
    t.image().WriteMsgTab();
    EXPECT_EQ(t.bench.link().Status, 21);
    EXPECT_EQ(t.test.serial.written.size(), 5u);
}

TEST(ReadMsgTab, tableOnTheUnit_givesAddressesAndSizesOfTheFirstMessages) {
    Image t;
    TableBlocks::Block block{};
    std::uint8_t entries[] = {0, 0, 0, 0, 0, 0, 0x01, 0x5E, 0, 0, 0x02, 0x0D, 0xFF, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(entries), std::end(entries), block.begin());
    for (int k = 16; k < 48; ++k)
        block[k] = 0xFF;
    block[48 + 2] = 0x03;  // end 0x000300
    block[53] = 3;
    for (int w = 0; w < 64; ++w)
        t.unit().setWord(0x3FF000 + w, static_cast<std::uint16_t>(block[2 * w] << 8 | block[2 * w + 1]));
    ASSERT_TRUE(t.image().ReadMsgTab());
    EXPECT_EQ(t.image().MsgAddress[2], 0x15E);
    EXPECT_EQ(t.image().MsgAddress[4], -1);
    EXPECT_EQ(t.image().EndAddress, 0x300);
    EXPECT_EQ(t.image().WriteAddress, 0x300);
    EXPECT_EQ(t.image().MsgNumber, 3);
    EXPECT_EQ(t.image().UnitMsgSize[1], 0x15E * 2);
    EXPECT_EQ(t.image().UnitMsgSize[2], (0x20D - 0x15E) * 2);
    EXPECT_EQ(t.image().UnitMsgSize[3], (0x300 - 0x20D) * 2);
    EXPECT_EQ(t.image().UnitMsgSize[4], 0);
}

TEST(ReadMsgTab, countAboveTwelve_isHeldToTwelve) {
    Image t;
    t.unit().setWord(0x3FF000 + 26, 0x0020);
    ASSERT_TRUE(t.image().ReadMsgTab());
    EXPECT_EQ(t.image().MsgNumber, 12);
}

TEST(ReadMsgTab, unitSilent_showsReadingFailed) {
    Image t;
    t.test.serial.stallWrites = true;
    EXPECT_FALSE(t.image().ReadMsgTab());
    EXPECT_EQ(t.status(), t.statusOf(4));
    EXPECT_FALSE(t.test.serial.portOpen());
}

TEST(WriteTrgMsgTab, tablesAccepted_eraseTableAreaRewriteBothAndSendL) {
    Image t;
    t.image().MsgAddress.fill(-1);
    t.form.TRG1[1].setText("1");
    t.form.Check1[1].setValue(1);
    ASSERT_TRUE(t.image().WriteTrgMsgTab());
    Bytes expected = {0, 1, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(t.memory(0x3FF100, 10), expected);
    EXPECT_EQ(t.memory(0x3FF100 + 63, 2), (Bytes{0xFF, 0xBE}));
    EXPECT_EQ(t.memory(0x3FF000, 48), Bytes(48, 0xFF));
    EXPECT_EQ(t.unit().commandCount('E'), 1);
    EXPECT_EQ(t.unit().commandCount('L'), 1);
}

TEST(WriteTrgMsgTab, triggerTableRefusedFiveTimes_isNoSuccessThoughTheEndFrameGoesOut) {
    // E, W, message table, then five NAKs on the trigger table.
    Image t(UploadFixture::nakOn({4, 5, 6, 7, 8}));
    t.image().MsgAddress.fill(-1);
    EXPECT_FALSE(t.image().WriteTrgMsgTab());
    Bytes all = t.test.serial.writtenBytes();
    EXPECT_EQ(Bytes(all.end() - 7, all.end()), kEndFrame);
    EXPECT_EQ(t.unit().commandCount('L'), 0);
}
