#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FaultInjector.h"
#include "UnitFaults.h"
#include "UnitFraming.h"
#include "UnitRules.h"

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
    static constexpr std::uint32_t kWords = UnitRules::kWords;
    static constexpr std::uint32_t kTableArea = UnitRules::kTableArea;
    static constexpr std::uint32_t kMsgTable = UnitRules::kMsgTable;
    static constexpr std::uint32_t kTrgTable = UnitRules::kTrgTable;
    static constexpr std::uint32_t kFrameWords = UnitRules::kFrameWords;

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
    const std::vector<std::uint8_t>& memory() const { return m_rules.memory(); }
    std::uint16_t word(std::uint32_t address) const { return m_rules.word(address); }
    void setWord(std::uint32_t address, std::uint16_t value) { m_rules.setWord(address, value); }
    /// One line per frame received and what the unit did with it.
    const std::vector<std::string>& log() const { return m_log; }
    int framesReceived() const { return m_frames; }
    /// Frames refused for breaking a rule (not those refused by an injected fault).
    int refusals() const { return m_refusals; }
    /// Commands carried out, by command letter.
    int commandCount(char command) const { return m_rules.commandCount(command); }

    /// "." bytes sent while erasing or checking.
    int progressBytes = 2;

private:
    std::vector<std::uint8_t> answer(const UnitFraming::Frame& frame, bool whileReplying);
    void note(const std::string& line);

    UnitFraming m_framing;
    UnitRules m_rules;
    FaultInjector m_faults;
    std::vector<std::string> m_log;
    int m_frames = 0;
    int m_refusals = 0;
};
