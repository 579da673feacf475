#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// The unit's side of the frame layer: frames from the PC taken off the line as they come, reply frames built,
/// and the hex forms the unit's log writes.
///
/// This is the unit's own frame code, written apart from the program's on purpose: the emulated unit is the
/// oracle the program's link is tested against, so it must not share the code it checks.
class UnitFraming {
public:
    static constexpr std::uint8_t kStart = 0x2A;
    static constexpr std::uint8_t kPc = 0x64;
    static constexpr std::uint8_t kUnit = 0x55;
    static constexpr std::uint8_t kWrite = 'W';
    /// Longest payload of a command frame; a data frame carries at most an address and 350 data bytes.
    static constexpr std::size_t kMaxPayload = 1200;
    static constexpr std::size_t kWaveBytes = 350;

    /// One frame from the PC as it came off the line.
    struct Frame {
        std::vector<std::uint8_t> bytes;
        bool isCommand = false;
        bool checksumOk = false;
        bool endOk = false;
        std::size_t length = 0;
        int sender = -1;
        int receiver = -1;
        int command = -1;
        std::uint32_t address = 0;
        std::vector<std::uint8_t> payload;
        /// Refused as it came off the line (a length no frame can have); the rest of its bytes are skipped.
        std::string broken;

        bool isEndFrame() const { return !isCommand && length == 0; }
        bool wellFormed() const { return broken.empty() && checksumOk && endOk; }
        /// The command a reply to this frame names: its own, "W" for the data frames of a write sequence.
        std::uint8_t replyCommand() const;
        /// Frames of one kind are repeats of each other: the same command, or data to the same address.
        std::string kind() const;
        std::string describe() const;
    };

    /// Bytes from the line; frames are taken from them with `take`.
    void feed(const std::uint8_t* bytes, std::size_t count);
    /// The next whole frame, skipping bytes outside frames; nothing while a frame is still incomplete.
    std::optional<Frame> take();

    /// A reply frame from the unit to the PC.
    static std::vector<std::uint8_t> reply(std::uint8_t command, const std::vector<std::uint8_t>& payload);
    static std::vector<std::uint8_t> ack(std::uint8_t command) { return reply(command, {6}); }
    static std::vector<std::uint8_t> nak(std::uint8_t command) { return reply(command, {21}); }

    static void appendHex(std::vector<std::uint8_t>& out, std::uint8_t value);
    static std::string hex2(int value);
    static std::string hex6(std::uint32_t value);
    /// The first `limit` bytes in hex, "..." after them when there are more.
    static std::string hexList(const std::vector<std::uint8_t>& bytes, std::size_t limit = 8);
    /// A command as its letter, or its code in hex when it is no printable letter.
    static std::string letter(int command);
    static std::uint32_t address24(const std::uint8_t* bytes);
    /// Word `i` of bytes stored high byte first.
    static std::uint16_t wordAt(const std::vector<std::uint8_t>& bytes, std::size_t i);

private:
    std::vector<std::uint8_t> m_pending;
};
