// EraseData: the erase command on the wire, the unit's progress bytes, the outcome in Status and on the status line.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/EmulatorPeer.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/LinkFixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// "E" to the unit with the payload 3F F1 00: "*", "64", "55", "45", 00 03, 3F F1 00, checksum 0x29A -> "9A".
const Bytes kEraseTables = {0x2A, 0x36, 0x34, 0x35, 0x35, 0x34, 0x35, 0x00,
                            0x03, 0x3F, 0xF1, 0x00, 0x39, 0x41, 0x0D, 0x0A};
// The unit's ACK to "E": "*", "55", "64", "45", 00 01, 06, checksum 0x16E -> "6E".
const Bytes kAckToE = {0x2A, 0x35, 0x35, 0x36, 0x34, 0x34, 0x35, 0x00, 0x01, 0x06, 0x36, 0x45, 0x0D, 0x0A};

struct Erase : LinkFixture {
    /// Panel 1 each time the program waited for a byte.
    std::vector<std::string> statusAtWaits;

    Erase() { form.imgNotConnected.click(); }
    /// The unit answers the first frame with `reply`, then sends `bytes` one per later wait.
    void script(Bytes reply, Bytes bytes) {
        test.serial.peer = [reply, calls = std::make_shared<int>(0)](const Bytes&) {
            return (*calls)++ == 0 ? reply : Bytes{};
        };
        auto next = std::make_shared<std::size_t>(0);
        test.events.onWait = [this, bytes, next] {
            statusAtWaits.push_back(form.sbrStatus.panelText(1));
            if (statusAtWaits.size() > 1 && *next < bytes.size())
                test.serial.feed({bytes[(*next)++]});
        };
    }
    const std::string& status() const { return form.sbrStatus.panelText(1); }
};

TEST(EraseData, tableArea_sendsTheAddressAsThreePayloadBytes) {
    Erase e;
    e.script(kAckToE, {6});
    e.bench.erase().EraseData(0x3FF100);
    ASSERT_FALSE(e.test.serial.written.empty());
    EXPECT_EQ(e.test.serial.written[0], kEraseTables);
}

TEST(EraseData, progressThenSix_showsErasingTwiceThenSuccessWithStatus6) {
    Erase e;
    e.script(kAckToE, {'.', '.', 6});
    e.bench.erase().EraseData(0x3FF100);
    EXPECT_EQ(e.link.Status, 6);
    EXPECT_EQ(e.status(), "Status: Erasing data successfully!");
    // Waits for: the reply, the first ".", the second ".", the 6.
    ASSERT_EQ(e.statusAtWaits.size(), 4u);
    EXPECT_EQ(e.statusAtWaits[2], "Status: Erasing data...");
    EXPECT_EQ(e.statusAtWaits[3], "Status: Erasing data...");
}

TEST(EraseData, ackThen21_failsWithStatus0) {
    Erase e;
    e.script(kAckToE, {21});
    e.bench.erase().EraseData(0x3FF100);
    EXPECT_EQ(e.link.Status, 0);
    EXPECT_EQ(e.status(), "Status: Erasing data failed!");
}

TEST(EraseData, silenceAfterTheAck_timesOutClosedWithStatus0) {
    Erase e;
    e.script(kAckToE, {'.'});
    e.bench.erase().EraseData(0x3FF100);
    EXPECT_EQ(e.link.Status, 0);
    EXPECT_EQ(e.status(), "Status: Erasing data failed!");
    EXPECT_FALSE(e.test.serial.portOpen());
    EXPECT_EQ(e.test.clock.steadyMs(), 5000);
}

TEST(EraseData, negativeAddress_sendsNothingAndKeepsStatus) {
    Erase e;
    e.link.Status = 33;
    e.bench.erase().EraseData(-1);
    EXPECT_TRUE(e.test.serial.written.empty());
    EXPECT_EQ(e.link.Status, 33);
}

TEST(EraseData, emulatedUnit_clearsTheTableAreaOnly) {
    Erase e;
    EmulatorPeer peer(e.test.serial);
    peer.unit.setWord(0x3FF100, 0x1234);
    peer.unit.setWord(0x3FF000, 0x5678);
    peer.unit.setWord(0x000010, 0x9ABC);
    e.bench.erase().EraseData(0x3FF100);
    EXPECT_EQ(e.link.Status, 6);
    EXPECT_EQ(peer.unit.word(0x3FF100), 0xFFFF);
    EXPECT_EQ(peer.unit.word(0x3FF000), 0xFFFF);
    EXPECT_EQ(peer.unit.word(0x000010), 0x9ABC);
}

TEST(EraseData, emulatedUnit_fullUploadErasesClearEveryWord) {
    Erase e;
    EmulatorPeer peer(e.test.serial);
    peer.unit.setWord(0x000000, 1);
    peer.unit.setWord(0x250000, 2);
    e.bench.erase().EraseData(0x3FFFFF);
    EXPECT_EQ(e.link.Status, 6);
    e.bench.erase().EraseData(0x1FFFFF);
    EXPECT_EQ(e.link.Status, 6);
    EXPECT_EQ(peer.unit.word(0x000000), 0xFFFF);
    EXPECT_EQ(peer.unit.word(0x250000), 0xFFFF);
}

}  // namespace
