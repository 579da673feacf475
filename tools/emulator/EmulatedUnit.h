#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

/// Faults the emulated unit can be told to make. Frames are counted from 1 in the order they arrive,
/// command frames and data frames alike.
struct UnitFaults {
    /// Frames answered with a NAK (21) instead of being carried out.
    std::set<int> nakFrames;
    /// After this many frames (0: from the first) the unit answers nothing any more; -1: never.
    int silentAfter = -1;
    /// Bytes of line noise sent before every reply frame.
    int noiseBytes = 0;
    /// Frames whose reply carries a wrong checksum.
    std::set<int> corruptFrames;
};

/// The unit's side of the RS232 protocol, without any port: bytes from the PC go in, the unit's reply bytes
/// come out. It keeps a memory image of 0x400000 16-bit words (erased state 0xFFFF) and a log of what it
/// received.
///
/// What it answers:
/// - command frames "P", "L", "T" and "W" with ACK; "W" opens a write sequence for data frames;
/// - "E" with a 3-byte word address: ACK, `progressBytes` times ".", then 6, after erasing the table area
///   (0x3FF000 to 0x3FFFFF) for an address inside it, otherwise the half of the memory holding the address;
/// - "R" with an address: a data reply with the 128 bytes stored there;
/// - "C" with an address: ACK, progress bytes, 6, then the 16-bit sum of (w + 1) over the 64 words there as
///   four hex characters;
/// - data frames of a write sequence: stored when their checksum holds, their area is erased (or already
///   holds the same bytes) and, for a 128-byte block at 0x3FF000 or above, the block's check word holds;
/// - the end frame: ACK when the check words of the wave data written since "W" hold (the sum of w + 1 over
///   all its words is a multiple of 65536), else NAK.
/// Anything else, a frame with a wrong checksum included, is answered with NAK.
class EmulatedUnit {
public:
    static constexpr std::uint32_t kWords = 0x400000;
    static constexpr std::uint32_t kTableArea = 0x3FF000;

    explicit EmulatedUnit(UnitFaults faults = {});

    std::vector<std::uint8_t> receive(const std::uint8_t* bytes, std::size_t count);
    std::vector<std::uint8_t> receive(const std::vector<std::uint8_t>& bytes) {
        return receive(bytes.data(), bytes.size());
    }

    /// Two bytes per word, high byte first.
    const std::vector<std::uint8_t>& memory() const { return m_memory; }
    std::uint16_t word(std::uint32_t address) const;
    void setWord(std::uint32_t address, std::uint16_t value);
    /// One line per frame received and what the unit did with it.
    const std::vector<std::string>& log() const { return m_log; }
    int framesReceived() const { return m_frames; }
    /// Commands carried out, by command letter.
    int commandCount(char command) const;

    /// "." bytes sent while erasing or checking.
    int progressBytes = 2;

private:
    struct Frame;
    bool takeFrame(Frame& frame);
    std::vector<std::uint8_t> answer(const Frame& frame);
    std::vector<std::uint8_t> command(const Frame& frame);
    std::vector<std::uint8_t> dataFrame(const Frame& frame);
    std::vector<std::uint8_t> reply(std::uint8_t command, const std::vector<std::uint8_t>& payload) const;
    std::vector<std::uint8_t> ack(std::uint8_t command) const { return reply(command, {6}); }
    std::vector<std::uint8_t> nak(std::uint8_t command) const { return reply(command, {21}); }
    void erase(std::uint32_t address);
    void note(std::string line);

    UnitFaults m_faults;
    std::vector<std::uint8_t> m_memory;
    std::vector<std::uint8_t> m_pending;
    std::vector<std::string> m_log;
    std::map<char, int> m_commands;
    int m_frames = 0;
    bool m_writing = false;
    /// Sum of (w + 1) of each wave data frame of the open write sequence, by address; a frame sent again
    /// replaces its earlier copy.
    std::map<std::uint32_t, std::uint16_t> m_sequence;
};
