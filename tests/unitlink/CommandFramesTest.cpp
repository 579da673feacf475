// Every frame the program sends, byte for byte: a full upload, a configuration-only upload, each service
// command, and the repeat after a NAK; the commands carry exactly their own payload whatever came before.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/ServicePanel.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UploadFixture.h"
#include "unitlink/WireBytes.h"

namespace {

using Bytes = UploadFixture::Bytes;
using WireBytes::dataFrame;
using WireBytes::kEndFrame;
using WireBytes::kWToUnit;

// Command frames from the PC (64) to the unit (55). The sum of "*", "64" and "55" is 0xFE; each adds its
// command's two digits, the length bytes and the payload.
// "P", "50": 0xFE + 0x35 + 0x30 = 0x163 -> "63".
const Bytes kP = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x30, 0x00, 0x00, 0x36, 0x33, 0x0D, 0x0A};
// "L", "4C": 0xFE + 0x34 + 0x43 = 0x175 -> "75".
const Bytes kL = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x43, 0x00, 0x00, 0x37, 0x35, 0x0D, 0x0A};
// "E", "45", 00 03, 3F FF FF: 0xFE + 0x34 + 0x35 + 0x03 + 0x3F + 0xFF + 0xFF = 0x3A7 -> "A7".
const Bytes kEraseAll = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x35, 0x00,
                         0x03, 0x3F, 0xFF, 0xFF, 0x41, 0x37, 0x0D, 0x0A};
// "E", 1F FF FF: 0x387 -> "87".
const Bytes kEraseLower = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x35, 0x00,
                           0x03, 0x1F, 0xFF, 0xFF, 0x38, 0x37, 0x0D, 0x0A};
// "E", 3F F1 00: 0x29A -> "9A".
const Bytes kEraseTables = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x35, 0x00,
                            0x03, 0x3F, 0xF1, 0x00, 0x39, 0x41, 0x0D, 0x0A};
// "R", "52", 3F F0 00: 0xFE + 0x35 + 0x32 + 0x03 + 0x3F + 0xF0 = 0x297 -> "97"; 3F F1 00: "98".
const Bytes kReadMsgTab = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x32, 0x00,
                           0x03, 0x3F, 0xF0, 0x00, 0x39, 0x37, 0x0D, 0x0A};
const Bytes kReadTrgTab = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x32, 0x00,
                           0x03, 0x3F, 0xF1, 0x00, 0x39, 0x38, 0x0D, 0x0A};
// A 300-byte message at word 0: its first 128 bytes, and the 128 ending with its check word at bytes 300 and
// 301, from byte 174 (word 00 00 57). 0xFE + 0x35 + 0x32 + 0x03 = 0x168 -> "68"; + 0x57 = 0x1BF -> "BF".
const Bytes kReadMessageStart = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x32, 0x00,
                                 0x03, 0x00, 0x00, 0x00, 0x36, 0x38, 0x0D, 0x0A};
const Bytes kReadMessageEnd = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x32, 0x00,
                               0x03, 0x00, 0x00, 0x57, 0x42, 0x46, 0x0D, 0x0A};
// At the word address 00 00 10: "C", "43": 0x165 + 0x03 + 0x10 = 0x178 -> "78"; "T", "54": 0x17A -> "7A";
// "E": 0x17A -> "7A".
const Bytes kCheck10 = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x33, 0x00, 0x03, 0x00, 0x00, 0x10, 0x37, 0x38, 0x0D, 0x0A};
const Bytes kShow10 = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x34, 0x00, 0x03, 0x00, 0x00, 0x10, 0x37, 0x41, 0x0D, 0x0A};
const Bytes kErase10 = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x35, 0x00, 0x03, 0x00, 0x00, 0x10, 0x37, 0x41, 0x0D, 0x0A};

/// The message table of one message at word 0 ending at 175 (0xAF): entry 1 00 00 00 00, eleven FF FF FF FF,
/// 00 00 00 AF, 00 01, zeros. S = 22 x 0xFFFF + 0xAF + 1 = 154 (mod 65536); check word 65536 - 154 - 64 = FF 26.
Bytes oneMessageTable() {
    Bytes block(128, 0x00);
    std::fill(block.begin() + 4, block.begin() + 48, 0xFF);
    block[51] = 0xAF;
    block[53] = 0x01;
    block[126] = 0xFF;
    block[127] = 0x26;
    return block;
}

/// Trigger 1 playing message 1 into zone 1, and into zones 1 and 6 (zone byte 0x21): S = 2 or 0x22, check word
/// FF BE or FF 9E.
Bytes triggerTable(std::uint8_t zones) {
    Bytes block(128, 0x00);
    block[1] = 0x01;
    block[9] = zones;
    block[126] = 0xFF;
    block[127] = zones == 0x01 ? 0xBE : 0x9E;
    return block;
}

/// The file with its check word, then 0xFF to 350.
Bytes oneFrameOf(const Bytes& evenFile) {
    Bytes data = storedFormOf(evenFile);
    data.resize(350, 0xFF);
    return data;
}

/// The frames in a stream from the PC: a command frame has hex digits after its start byte and its length at
/// offset 7, a data frame its raw length at offset 1; both end with two checksum digits and CR LF.
std::vector<Bytes> framesOf(const Bytes& stream) {
    std::vector<Bytes> frames;
    std::size_t at = 0;
    while (at + 3 <= stream.size()) {
        const bool command = stream[at + 1] >= '0';
        const std::size_t header = command ? 9 : 3;
        if (at + header > stream.size())
            break;
        const std::size_t length =
            command ? stream[at + 7] * 256u + stream[at + 8] : stream[at + 1] * 256u + stream[at + 2];
        const std::size_t end = std::min(stream.size(), at + header + length + 4);
        frames.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(at),
                            stream.begin() + static_cast<std::ptrdiff_t>(end));
        at = end;
    }
    if (at < stream.size())
        frames.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(at), stream.end());
    return frames;
}

struct Frames : UploadFixture {
    using UploadFixture::UploadFixture;
    std::size_t seen = 0;
    /// The frames sent since the last call.
    std::vector<Bytes> sent() {
        Bytes all = test.serial.writtenBytes();
        Bytes fresh(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
        seen = all.size();
        return framesOf(fresh);
    }
    void expectFrames(const std::vector<Bytes>& expected) {
        const std::vector<Bytes> actual = sent();
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(actual[i], expected[i]) << "frame " << i;
    }
    /// Slot 1 holds a 300-byte wave file; trigger 1 plays it into zone 1.
    Bytes oneSlot() {
        const std::string path = wave("gong.wav", 300, 4);
        choose(1, path);
        form.TRG1[1].setText("1");
        form.Check1[1].setValue(1);
        return fileBytes(path);
    }
};

}  // namespace

TEST(CommandFrames, fullThenConfigurationOnlyUpload_sendExactlyTheseFrames) {
    Frames f;
    const Bytes file = f.oneSlot();
    f.upload();
    ASSERT_EQ(f.status(), f.statusOf(2));
    // No command carries a payload left by the reply before it: "W" follows ACKs, "L" a table's ACK.
    f.expectFrames({kP, kEraseAll, kEraseLower, kWToUnit, dataFrame(0, oneFrameOf(file)), kEndFrame, kWToUnit,
                    dataFrame(0x3FF000, oneMessageTable()), dataFrame(0x3FF100, triggerTable(0x01)), kEndFrame, kL});

    f.form.Check1[6].setValue(1);
    f.upload();
    ASSERT_EQ(f.status(), f.statusOf(13));
    // The unit is seen to hold the file before the tables alone are rewritten. "P" follows the 128-byte replies
    // of the read-backs and goes out empty all the same.
    f.expectFrames({kReadMsgTab, kReadMessageStart, kReadMessageEnd, kP, kEraseTables, kWToUnit,
                    dataFrame(0x3FF000, oneMessageTable()), dataFrame(0x3FF100, triggerTable(0x21)), kEndFrame, kL});
}

TEST(CommandFrames, nakToACommand_bringsTheSameFrameAgain) {
    // The first "P" and the first erase are refused.
    Frames f(UploadFixture::nakOn({1, 3}));
    f.oneSlot();
    f.upload();
    ASSERT_EQ(f.status(), f.statusOf(2));
    const std::vector<Bytes> frames = f.sent();
    ASSERT_GE(frames.size(), 5u);
    EXPECT_EQ(frames[0], kP);
    EXPECT_EQ(frames[1], kP);
    EXPECT_EQ(frames[2], kEraseAll);
    EXPECT_EQ(frames[3], kEraseAll);
    EXPECT_EQ(frames[4], kEraseLower);
}

TEST(CommandFrames, serviceCommands_sendExactlyTheseFrames) {
    Frames f;
    f.oneSlot();
    f.upload();
    ASSERT_EQ(f.status(), f.statusOf(2));
    f.sent();
    f.form.imgNotConnected.click();
    ServicePanel& panel = f.bench.service();

    panel.Command2_Click();
    EXPECT_EQ(f.status(), f.statusOf(2));
    f.expectFrames({kP, kReadMsgTab, kEraseTables, kWToUnit, dataFrame(0x3FF000, oneMessageTable()),
                    dataFrame(0x3FF100, triggerTable(0x01)), kEndFrame, kL});

    panel.Command3_Click();
    EXPECT_EQ(f.status(), f.statusOf(2));
    f.expectFrames({kReadMsgTab, kReadTrgTab});

    f.form.Text3.setText("000010");
    panel.Command4_Click();
    EXPECT_EQ(f.status(), f.statusOf(6));
    f.expectFrames({kCheck10});
    panel.Command5_Click();
    EXPECT_EQ(f.bench.link().Status, 6);
    f.expectFrames({kShow10});
    panel.Command6_Click();
    EXPECT_EQ(f.status(), f.statusOf(9));
    f.expectFrames({kErase10});
    EXPECT_EQ(f.unit().refusals(), 0);
}
