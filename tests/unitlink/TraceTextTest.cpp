// How the protocol trace reads bytes of the link: the end frame, the two tables, the dots of an erase and of
// a check, bytes outside a frame; a reply's trailing bytes kept for later.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WireBytes.h"
#include "unitlink/TraceText.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

/// A 128-byte table block with `set` bytes placed and its check word: the 64 big-endian words sum to 0xFFC0.
Bytes block(const std::vector<std::pair<int, std::uint8_t>>& set, bool sealed = true) {
    Bytes b(128, 0);
    for (auto [at, value] : set)
        b[at] = value;
    unsigned sum = 0;
    for (int w = 0; w < 63; ++w)
        sum += b[2 * w] << 8 | b[2 * w + 1];
    const auto check = static_cast<std::uint16_t>(0x10000 - sum - 64 + (sealed ? 0 : 1));
    b[126] = static_cast<std::uint8_t>(check >> 8);
    b[127] = static_cast<std::uint8_t>(check);
    return b;
}

/// The checksum digits of a frame built by `WireBytes`.
std::string checksumOf(const Bytes& frame) {
    return {static_cast<char>(frame[frame.size() - 4]), static_cast<char>(frame[frame.size() - 3])};
}

std::string decoded(Bytes bytes, std::uint8_t lastCommand = 'W') {
    const auto pieces = TraceText::take(bytes, true, false, lastCommand);
    std::string text;
    for (const auto& piece : pieces)
        text += piece.text.substr(piece.text.find(" | ") + 3) + "\n";
    return text;
}

TEST(TraceText, framesAndBytesOutsideThem_readAsWhatTheyAre) {
    // Message table: slot 1 at word 0, slot 3 at word 0x00E65F, the others FF FF FF FF; end 0x0284A1; count 2.
    std::vector<std::pair<int, std::uint8_t>> msg = {{8, 0},     {9, 0},     {10, 0xE6}, {11, 0x5F},
                                                     {49, 0x02}, {50, 0x84}, {51, 0xA1}, {53, 2}};
    for (int at = 4; at < 48; ++at)
        if (at < 8 || at >= 12)
            msg.push_back({at, 0xFF});
    // Trigger table: trigger 1 plays messages 1 and 2 into zones 1 and 3; trigger 12 message 3, no zone.
    const std::vector<std::pair<int, std::uint8_t>> trg = {{1, 1}, {3, 2}, {9, 0b101}, {111, 3}};
    const Bytes messageFrame = WireBytes::dataFrame(0x3FF000, block(msg));
    const Bytes triggerFrame = WireBytes::dataFrame(0x3FF100, block(trg, false));
    const struct {
        const char* name;
        Bytes bytes;
        std::uint8_t lastCommand;
        std::string expected;
    } cases[] = {
        {"end frame", WireBytes::kEndFrame, 'W', "end frame (end of the write sequence), checksum 2A ok\n"},
        {"message table", messageFrame, 'W',
         "data frame to word 3F F0 00, payload 131, checksum " + checksumOf(messageFrame) +
             " ok; message table: count 2, entries 1: 000000, "
             "3: 00E65F, end 0284A1, check word ok\n"},
        {"trigger table", triggerFrame, 'W',
         "data frame to word 3F F1 00, payload 131, checksum " + checksumOf(triggerFrame) +
             " ok; trigger table: 2 triggers set; 1: messages 1 2, "
             "zones 1 3; 12: messages 3, zones none; check word bad\n"},
        {"erase dots", {0x2E, 0x2E, 0x2E, 0x06}, 'E', "erase progress: 3 dots, then ACK (06)\n"},
        {"erase dots so far", {0x2E}, 'E', "erase progress: 1 dot\n"},
        {"check dots and sum",
         {0x2E, 0x2E, 0x06, '0', '1', 'A', 'F'},
         'C',
         "check progress: 2 dots, then ACK (06), check sum 01AF\n"},
        {"dots after another command", {0x2E, 0x2E, 0x06}, 'W', "3 bytes outside a frame\n"},
        {"noise before a frame",
         {0xFF, 0x55, 0x2A, 0x00, 0x00, 0x32, 0x41, 0x0D, 0x0A},
         'E',
         "2 bytes outside a frame\nend frame (end of the write sequence), checksum 2A ok\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decoded(c.bytes, c.lastCommand), c.expected) << c.name;
}

TEST(TraceText, aReplysTrailingBytes_waitForTheRest) {
    Bytes bytes = WireBytes::kEndFrame;
    bytes.insert(bytes.end(), {0x2E, 0x2E});
    const auto pieces = TraceText::take(bytes, false, true, 'E');
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].kind, TraceText::Kind::End);
    EXPECT_EQ(bytes, (Bytes{0x2E, 0x2E}));
}

}  // namespace
