#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

/// Faults the emulated unit can be told to make. Frames are counted from 1 in the order they arrive,
/// command frames and data frames alike.
struct UnitFaults {
    /// Frames answered with a NAK (21) instead of being carried out.
    std::set<int> nakFrames;
    /// Command letters whose first frame is answered with a NAK.
    std::set<char> nakCommands;
    /// After this many frames (0: from the first) the unit answers nothing any more; -1: never.
    int silentAfter = -1;
    /// Bytes of line noise (FF and 55 in turn) sent before every reply frame.
    int noiseBytes = 0;
    /// Bytes of garbage (any value but the start byte "*") sent before every reply frame.
    int garbageBytes = 0;
    /// Frames whose reply carries a wrong checksum.
    std::set<int> corruptFrames;
};

/// The unit's side of the RS232 protocol, without any port: bytes from the PC go in, the unit's reply bytes
/// come out. It keeps a memory image of 0x400000 16-bit words (erased state 0xFFFF) and a log of what it
/// received, one line per frame with what it did and, for a refusal, why.
///
/// It is as strict as a unit built to the protocol: every frame is checked before it is carried out, and
/// a frame that fails a check is answered with a NAK (21) and changes nothing. `kChecks` lists the checks.
///
/// What it carries out:
/// - "P": ACK; the wave data of the next upload starts at word 0.
/// - "W": ACK; opens a write sequence for data frames, closed by the end frame.
/// - "L": ACK. "T" with a 3-byte word address: ACK.
/// - "E" with a 3-byte word address: ACK, `progressBytes` times ".", then 6, after erasing the table area
///   (0x3FF000 to 0x3FFFFF) for an address inside it, otherwise the half of the memory holding the address.
/// - "R" with an address: a data reply with the 128 bytes stored there.
/// - "C" with an address: ACK, progress bytes, 6, then the 16-bit sum of (w + 1) over the 64 words there as
///   four hex characters.
/// - data frames of a write sequence: stored; the end frame: ACK when the message written closes as it must.
class EmulatedUnit {
public:
    static constexpr std::uint32_t kWords = 0x400000;
    static constexpr std::uint32_t kTableArea = 0x3FF000;
    static constexpr std::uint32_t kMsgTable = 0x3FF000;
    static constexpr std::uint32_t kTrgTable = 0x3FF100;
    static constexpr std::uint32_t kFrameWords = 175;

    /// What the unit refuses, one line each, for the program's help.
    static const char* const kChecks;

    explicit EmulatedUnit(UnitFaults faults = {});

    /// Bytes from the PC; the result is what the unit sends back. `whileReplying`: the bytes came in while the
    /// unit's previous reply was still going out on the line (a host that paces the line can tell).
    std::vector<std::uint8_t> receive(const std::uint8_t* bytes, std::size_t count, bool whileReplying = false);
    std::vector<std::uint8_t> receive(const std::vector<std::uint8_t>& bytes, bool whileReplying = false) {
        return receive(bytes.data(), bytes.size(), whileReplying);
    }

    /// Two bytes per word, high byte first.
    const std::vector<std::uint8_t>& memory() const { return m_memory; }
    std::uint16_t word(std::uint32_t address) const;
    void setWord(std::uint32_t address, std::uint16_t value);
    /// One line per frame received and what the unit did with it.
    const std::vector<std::string>& log() const { return m_log; }
    int framesReceived() const { return m_frames; }
    /// Frames refused for breaking a rule (not those refused by an injected fault).
    int refusals() const { return m_refusals; }
    /// Commands carried out, by command letter.
    int commandCount(char command) const;

    /// "." bytes sent while erasing or checking.
    int progressBytes = 2;

private:
    struct Frame;
    std::optional<Frame> takeFrame();
    std::vector<std::uint8_t> answer(const Frame& frame, bool whileReplying);
    /// Why the frame must be refused; empty when it may be carried out.
    std::string check(const Frame& frame) const;
    std::string checkCommand(const Frame& frame) const;
    std::string checkData(const Frame& frame) const;
    std::string checkTable(const Frame& frame) const;
    /// Data may only go where the memory is erased, or already holds the same words (a frame sent again).
    std::string checkErased(std::uint32_t address, const std::vector<std::uint8_t>& data) const;
    std::string checkMessage() const;
    std::vector<std::uint8_t> carryOut(const Frame& frame);
    std::vector<std::uint8_t> command(const Frame& frame);
    std::vector<std::uint8_t> dataFrame(const Frame& frame);
    std::vector<std::uint8_t> reply(std::uint8_t command, const std::vector<std::uint8_t>& payload) const;
    std::vector<std::uint8_t> ack(std::uint8_t command) const { return reply(command, {6}); }
    std::vector<std::uint8_t> nak(std::uint8_t command) const { return reply(command, {21}); }
    void disturb(std::vector<std::uint8_t>& out);
    void erase(std::uint32_t address);
    void note(const std::string& line);

    UnitFaults m_faults;
    std::vector<std::uint8_t> m_memory;
    std::vector<std::uint8_t> m_pending;
    std::vector<std::string> m_log;
    std::map<char, int> m_commands;
    std::set<char> m_nakedCommands;
    int m_frames = 0;
    int m_refusals = 0;
    std::uint32_t m_garbageSeed = 12345;
    bool m_writing = false;
    /// The last reply was an erase's: ACK, progress bytes, 6.
    bool m_lastReplyErase = false;
    /// Word address the next wave data frame must go to, and where the message of the open sequence began.
    std::uint32_t m_nextWave = 0;
    std::uint32_t m_messageStart = 0;
    /// A well-formed frame this unit answered with NAK: the next frame of its kind must be the same bytes.
    std::vector<std::uint8_t> m_refused;
    std::string m_refusedKind;
};
