// The frame layer of the link: bytes on the wire, reply decoding and result codes, retries, time-outs, the ring.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "shell/PortConnection.h"
#include "support/EmulatorPeer.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/LinkFixture.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UploadImage.h"
#include "unitlink/WireBytes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// "P" from the PC (0x64) to the unit (0x55), no payload: "*", "64", "55", "50", 00 00, checksum "63", CR LF.
const Bytes kPToUnit = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x30, 0x00, 0x00, 0x36, 0x33, 0x0D, 0x0A};
// "E" with the payload 3F F1 00: "*", "64", "55", "45", 00 03, 3F F1 00, checksum 0x29A -> "9A", CR LF.
const Bytes kEToUnit = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x35, 0x00, 0x03, 0x3F, 0xF1, 0x00, 0x39, 0x41, 0x0D, 0x0A};
// The unit's ACK to "P": "*", "55", "64", "50", 00 01, 06, checksum "6A", CR LF.
const Bytes kAckToP = {0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x30, 0x00, 0x01, 0x06, 0x36, 0x41, 0x0D, 0x0A};

struct Link : LinkFixture {
    Link() { form.imgNotConnected.click(); }
    /// Feeds `bytes` in pieces of `piece`, one piece each time the program waits.
    void feedInPieces(const Bytes& bytes, std::size_t piece) {
        auto next = std::make_shared<std::size_t>(0);
        test.events.onWait = [this, bytes, piece, next] {
            if (*next >= bytes.size())
                return;
            std::size_t n = std::min(piece, bytes.size() - *next);
            test.serial.feed(Bytes(bytes.begin() + *next, bytes.begin() + *next + n));
            *next += n;
        };
    }
};

TEST(SerialLinkWire, commandP_goesOutAsTheExampleFrameInOnePiece) {
    Link l;
    l.link.CommandWrite(0x55, 'P');
    ASSERT_EQ(l.test.serial.written.size(), 1u);
    EXPECT_EQ(l.test.serial.written[0], kPToUnit);
    EXPECT_EQ(l.link.PayloadLength, 0);
}

TEST(SerialLinkWire, emulatedUnit_answersPWithTheExampleAck) {
    EmulatedUnit unit;
    EXPECT_EQ(unit.receive(kPToUnit), kAckToP);
}

TEST(SerialLinkWire, hexDigits_areUppercaseAndIntsHighByteFirst) {
    Link l;
    l.link.RS232WriteHex(0x0A);
    l.link.RS232WriteHex(0xFC);
    EXPECT_TRUE(l.link.RS232WriteInt(0x0161));
    EXPECT_FALSE(l.link.RS232WriteInt(-1));
    l.link.RS232Write(0x0D);
    l.link.RS232Write(0x0A);
    EXPECT_EQ(l.test.serial.writtenBytes(), (Bytes{0x30, 0x41, 0x46, 0x43, 0x01, 0x61, 0x0D, 0x0A}));
}

TEST(SerialLinkWire, lineFeedInsideRawData_splitsTheWriteButNotTheBytes) {
    Link l;
    l.link.PayloadData[1] = 0x0A;
    l.link.PayloadData[2] = 0x41;
    l.link.PayloadLength = 2;
    // A command the unit does not define carries what the caller put in the payload.
    l.link.CommandWrite(0x55, 'X');
    // "*", "64", "55", "58", 00 02, 0A 41; sum 0x2A+0x36+0x34+0x35+0x35+0x35+0x38+0x02+0x0A+0x41 = 0x1B8.
    Bytes expected = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x35, 0x38, 0x00, 0x02, 0x0A, 0x41, 0x42, 0x38, 0x0D, 0x0A};
    EXPECT_EQ(l.test.serial.writtenBytes(), expected);
    EXPECT_EQ(l.test.serial.written.size(), 2u);
}

TEST(SerialLinkWire, fullPayload_isSentWholeThoughLongerThanTheFrameBuffer) {
    Link l;
    for (int i = 1; i <= SerialLink::kPayloadSize; ++i)
        l.link.PayloadData[i] = 0x20;
    l.link.PayloadLength = SerialLink::kPayloadSize;
    l.link.CommandWrite(0x55, 'X');
    Bytes all = l.test.serial.writtenBytes();
    ASSERT_EQ(all.size(), 9u + 1200u + 4u);
    EXPECT_EQ(all[7], 0x04);
    EXPECT_EQ(all[8], 0xB0);
    EXPECT_EQ(all[1208], 0x20);
    EXPECT_EQ(all.back(), 0x0A);
}

TEST(SerialLinkWire, closedPort_sendsNothingAndSaysSo) {
    Link l;
    l.form.imgConnected.click();
    l.link.CommandWrite(0x55, 'P');
    EXPECT_TRUE(l.test.serial.written.empty());
    EXPECT_EQ(l.form.sbrStatus.panelText(1), "Status: Com port not connected!");
}

TEST(SerialLinkRead, ctn_decodesUppercaseHexOnly) {
    EXPECT_EQ(SerialLink::CTN('0'), 0);
    EXPECT_EQ(SerialLink::CTN('9'), 9);
    EXPECT_EQ(SerialLink::CTN('A'), 10);
    EXPECT_EQ(SerialLink::CTN('F'), 15);
    EXPECT_EQ(SerialLink::CTN('a'), 0);
    EXPECT_EQ(SerialLink::CTN('f'), 0);
    EXPECT_EQ(SerialLink::CTN('G'), 0);
    EXPECT_EQ(SerialLink::CTN('*'), 0);
}

TEST(SerialLinkRead, exampleAck_readsAsSixWithEveryByteCounted) {
    Link l;
    l.test.serial.feed(kAckToP);
    EXPECT_EQ(l.link.CommandRead(0x55, 'P'), 6);
    EXPECT_EQ(l.link.DataOutPoint, 14);
    EXPECT_EQ(l.form.txtDataOutPoint.text(), "14");
    EXPECT_EQ(l.form.txtInputCheckSum.text(), std::to_string((0x6A + 0x36 + 0x41 + 0x0D + 0x0A) % 256));
}

TEST(SerialLinkRead, lowercaseChecksumDigit_decodesAsZeroAndFailsTheChecksum) {
    Link l;
    Bytes reply = kAckToP;
    reply[10] = '6';
    reply[11] = 'a';
    l.test.serial.feed(reply);
    EXPECT_EQ(l.link.CommandRead(0x55, 'P'), 1);
}

TEST(SerialLinkRead, noiseBeforeTheStartByte_isSkipped) {
    Link l;
    Bytes reply = {0x00, 0xFF, 0x41, 0x0D, 0x0A};
    for (auto byte : kAckToP)
        reply.push_back(byte);
    l.test.serial.feed(reply);
    EXPECT_EQ(l.link.CommandRead(0x55, 'P'), 6);
}

TEST(SerialLinkRead, secondStartByteInsideTheHeader_isReadAsAHexDigitNotARestart) {
    Link l;
    // Sender field "*5" (CTN gives 0, so 0x05); the checksum 0x5F covers both start bytes.
    l.test.serial.feed({0x2A, 0x2A, 0x35, 0x36, 0x34, 0x35, 0x30, 0x00, 0x01, 0x06, 0x35, 0x46, 0x0D, 0x0A});
    EXPECT_EQ(l.link.CommandRead(0x55, 'P'), 4);
    EXPECT_EQ(l.link.DataOutPoint, 14);
}

TEST(SerialLinkRead, malformedReplies_giveTheirCodesInOrder) {
    struct Case {
        std::size_t index;
        std::uint8_t value;
        std::uint8_t code;
    };
    // CR replaced, LF replaced, sender "56" (checksum still made right), command "51".
    for (Case c : {Case{12, 0x0C, 2}, Case{13, 0x0B, 3}}) {
        Link l;
        Bytes reply = kAckToP;
        reply[c.index] = c.value;
        l.test.serial.feed(reply);
        EXPECT_EQ(l.link.CommandRead(0x55, 'P'), c.code) << c.index;
    }
    Link l;
    l.test.serial.feed({0x2A, 0x35, 0x36, 0x36, 0x34, 0x35, 0x30, 0x00, 0x01, 0x06, 0x36, 0x42, 0x0D, 0x0A});
    EXPECT_EQ(l.link.CommandRead(0x55, 'P'), 4);
    l.test.serial.feed({0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x31, 0x00, 0x01, 0x06, 0x36, 0x42, 0x0D, 0x0A});
    EXPECT_EQ(l.link.CommandRead(0x55, 'P'), 5);
}

TEST(SerialLinkRead, oneToFiveInASoundFrame_isTheUnitsRefusalNotAGarbledReply) {
    // The reply to "P" with the one byte 03: checksum 0x167 -> "67". A reply without its CR gives 2 as well, and
    // is a garbled one.
    Bytes noCr = kAckToP;
    noCr[12] = 0x0C;
    Link l;
    l.test.serial.feed({0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x30, 0x00, 0x01, 0x03, 0x36, 0x37, 0x0D, 0x0A});
    EXPECT_EQ(l.link.Status = l.link.CommandRead(0x55, 'P'), 3);
    EXPECT_EQ(l.link.lastOutcome().kind, LinkOutcome::Kind::Refused);
    l.test.serial.feed(noCr);
    EXPECT_EQ(l.link.Status = l.link.CommandRead(0x55, 'P'), 2);
    EXPECT_EQ(l.link.lastOutcome().kind, LinkOutcome::Kind::InvalidReply);
}

TEST(SerialLinkRead, emptyPayloadAfterAnAck_isNotTakenForAnAck) {
    Link l;
    l.test.serial.feed(kAckToP);
    ASSERT_EQ(l.link.CommandRead(0x55, 'P'), 6);
    // "*", "55", "64", "50", 00 00, checksum "63", CR LF.
    l.test.serial.feed({0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x30, 0x00, 0x00, 0x36, 0x33, 0x0D, 0x0A});
    std::uint8_t code = l.link.CommandRead(0x55, 'P');
    EXPECT_NE(code, 6);
    EXPECT_NE(code, 21);
}

TEST(SerialLinkRead, dataReply_givesSixWithThePayload) {
    Link l;
    // "*", "55", "64", "52", 00 02, 12 34; sum 0x165 + 0x02 + 0x12 + 0x34 = 0x1AD.
    l.test.serial.feed({0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x32, 0x00, 0x02, 0x12, 0x34, 0x41, 0x44, 0x0D, 0x0A});
    EXPECT_EQ(l.link.CommandRead(0x55, 'R'), 6);
    EXPECT_EQ(l.link.PayloadLength, 2);
    EXPECT_EQ(l.link.PayloadData[1], 0x12);
    EXPECT_EQ(l.link.PayloadData[2], 0x34);
}

TEST(SerialLinkRead, replyLongerThanTheBuffer_isReadToItsEndAndFailsWithZero) {
    Link l;
    Bytes reply = {0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x32, 0x04, 0xB1};  // 1201 payload bytes
    reply.insert(reply.end(), 1201, 0x77);
    reply.insert(reply.end(), {0x30, 0x30, 0x0D, 0x0A});
    l.feedInPieces(reply, 500);
    EXPECT_EQ(l.link.CommandRead(0x55, 'R'), 0);
    EXPECT_EQ(l.link.PayloadLength, 0);
    EXPECT_EQ(l.link.DataOutPoint, l.link.DataInPoint);
    EXPECT_EQ(l.test.clock.steadyMs(), 0) << "no time-out";
    EXPECT_TRUE(l.test.serial.portOpen());
}

TEST(SerialLinkRead, lengthOf32768OrMore_failsWithZero) {
    Link l;
    l.test.serial.feed({0x2A, 0x35, 0x35, 0x36, 0x34, 0x35, 0x32, 0x80, 0x00, 0x01, 0x02});
    EXPECT_EQ(l.link.CommandRead(0x55, 'R'), 0);
    EXPECT_EQ(l.link.PayloadLength, 0);
}

TEST(SerialLinkRing, indicesWrapFrom1023ToZero) {
    Link l;
    l.link.DataInPoint = 1022;
    l.link.DataOutPoint = 1022;
    l.test.serial.feed({0x11, 0x22, 0x33});
    Bytes got;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(l.link.RS232Read());
        got.push_back(l.link.Rs232DataByte);
    }
    EXPECT_EQ(got, (Bytes{0x11, 0x22, 0x33}));
    EXPECT_EQ(l.link.DataInPoint, 1);
    EXPECT_EQ(l.link.DataOutPoint, 1);
    EXPECT_EQ(l.form.txtDataOutPoint.text(), "1");
}

TEST(SerialLinkRing, overrun_dropsTheUnreadBytesAndFailsTheWaitingRead) {
    Link l;
    l.test.serial.feed(Bytes(1023, 0x41));
    l.test.events.processEvents();
    EXPECT_FALSE(l.link.overrun()) << "1023 unread bytes fit";
    l.test.serial.feed({0x42});
    l.test.events.processEvents();
    EXPECT_TRUE(l.link.overrun());
    EXPECT_FALSE(l.link.RS232Read());
    EXPECT_EQ(l.link.DataInPoint, l.link.DataOutPoint);
    EXPECT_EQ(l.test.clock.steadyMs(), 0) << "fails at once, without waiting for the time-out";
    EXPECT_FALSE(l.test.serial.portOpen());
}

TEST(SerialLinkExchange, refusedCommand_goesOutOnceMoreByteForByte_theSecondAnswerIsFinal) {
    // Only a NAK brings the one repeat; whatever the operation around the command, the second answer stands.
    struct Case {
        const char* what;
        std::set<int> nakFrames;
        std::set<int> corruptFrames;
        std::function<bool(Link&)> send;
        Bytes frame;
        std::size_t sends;
        bool accepted;
        int status;
        const char* statusLine;
    };
    const auto commandP = [](Link& l) { return l.link.CommandDo(0x55, 'P'); };
    const auto eraseTables = [](Link& l) {
        l.bench.erase().EraseData(0x3FF100);
        return l.link.Status == 6;
    };
    // A refused "W" opened no write sequence, so no end frame follows it.
    const auto openSequence = [](Link& l) { return l.bench.image().openWriteSequence(); };
    const Case cases[] = {
        {"P refused once", {1}, {}, commandP, kPToUnit, 2, true, 6, nullptr},
        {"P refused twice", {1, 2}, {}, commandP, kPToUnit, 2, false, 21, nullptr},
        {"P answered with a wrong checksum", {}, {1}, commandP, kPToUnit, 1, false, 1, nullptr},
        // The NAK read in between does not replace the address.
        {"E refused twice", {1, 2}, {}, eraseTables, kEToUnit, 2, false, 21, "Status: Erasing data failed!"},
        {"W refused twice", {1, 2}, {}, openSequence, WireBytes::kWToUnit, 2, false, 21, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Link l;
        UnitFaults faults;
        faults.nakFrames = c.nakFrames;
        faults.corruptFrames = c.corruptFrames;
        EmulatorPeer peer(l.test.serial, faults);
        EXPECT_EQ(c.send(l), c.accepted);
        EXPECT_EQ(l.link.Status, c.status);
        EXPECT_EQ(l.test.serial.written, std::vector<Bytes>(c.sends, c.frame));
        EXPECT_EQ(peer.unit.refusals(), 0);
        if (c.statusLine) {
            EXPECT_EQ(l.form.sbrStatus.panelText(1), c.statusLine);
        }
    }
}

TEST(SerialLinkExchange, noisyUnit_isStillUnderstood) {
    Link l;
    UnitFaults faults;
    faults.noiseBytes = 5;
    EmulatorPeer peer(l.test.serial, faults);
    EXPECT_TRUE(l.link.CommandDo(0x55, 'P'));
}

TEST(SerialLinkExchange, timeOut_closesTheLinkAndTheNextExchangeFailsAtOnceWithZero) {
    Link l;
    l.test.serial.stallWrites = true;
    l.mdi.setEnabled(false);
    l.test.screen.setMousePointer(IScreen::vbHourglass);

    EXPECT_FALSE(l.link.CommandDo(0x55, 'P'));
    EXPECT_EQ(l.link.Status, 0);
    EXPECT_EQ(l.test.clock.steadyMs(), 5000);
    EXPECT_FALSE(l.test.serial.portOpen());
    EXPECT_TRUE(l.form.imgNotConnected.visible());
    EXPECT_FALSE(l.form.imgConnected.visible());
    EXPECT_FALSE(l.bench.connection().Timer1().enabled());
    EXPECT_TRUE(l.mdi.enabled());
    EXPECT_EQ(l.test.screen.mousePointer(), IScreen::vbDefault);

    // The silence has cost its one time-out; the closed port is not waited on again.
    std::size_t before = l.test.serial.written.size();
    EXPECT_FALSE(l.link.CommandDo(0x55, 'P'));
    EXPECT_EQ(l.link.Status, 0);
    EXPECT_EQ(l.link.lastOutcome().kind, LinkOutcome::Kind::NoAnswer);
    EXPECT_EQ(l.test.clock.steadyMs(), 5000);
    EXPECT_EQ(l.test.serial.written.size(), before);
    EXPECT_EQ(l.form.sbrStatus.panelText(1), "Status: Com port not connected!");
}

TEST(SerialLinkExchange, slowButSteadyReply_neverTimesOut) {
    Link l;
    l.bench.link().settings.CommTimeOut = 100;
    auto next = std::make_shared<std::size_t>(0);
    // Each byte comes 90 ms after the program started waiting for it.
    l.test.events.onWait = [&l, next] {
        if (*next >= kAckToP.size())
            return;
        l.test.events.advance(90);
        l.test.serial.feed({kAckToP[(*next)++]});
    };
    EXPECT_EQ(l.link.CommandRead(0x55, 'P'), 6);
    EXPECT_EQ(l.test.clock.steadyMs(), 90 * 14);
}

TEST(SerialLinkExchange, timeOutOfZeroOrLess_silentUnitFailsAfterTheStartValue) {
    for (std::int16_t timeOut : {0, -1}) {
        Link l;
        l.bench.link().settings.CommTimeOut = timeOut;
        EXPECT_EQ(l.link.CommandRead(0x55, 'P'), 0) << timeOut;
        EXPECT_EQ(l.test.clock.steadyMs(), 5000) << timeOut;
    }
    Link shortest;
    shortest.bench.link().settings.CommTimeOut = 1;
    EXPECT_EQ(shortest.link.CommandRead(0x55, 'P'), 0);
    EXPECT_EQ(shortest.test.clock.steadyMs(), 1);
}

}  // namespace
