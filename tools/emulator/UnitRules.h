#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "UnitFraming.h"

/// What the unit accepts and refuses, and what it does with what it accepts: its memory of 0x400000 16-bit
/// words (erased state 0xFFFF), the open write sequence, where the next wave data must go, and the frame a
/// NAK asks to be sent again. A unit built to the protocol refuses all that `check` names, and the emulated
/// unit is exactly that strict on purpose.
class UnitRules {
public:
    using Frame = UnitFraming::Frame;

    static constexpr std::uint32_t kWords = 0x400000;
    static constexpr std::uint32_t kTableArea = 0x3FF000;
    static constexpr std::uint32_t kMsgTable = 0x3FF000;
    static constexpr std::uint32_t kTrgTable = 0x3FF100;
    static constexpr std::uint32_t kFrameWords = 175;

    UnitRules();

    /// A frame arrives; `whileReplying`: while the unit's previous reply was still going out on the line.
    void arrived(bool whileReplying);
    /// Why the frame must be refused; empty when it may be carried out.
    std::string check(const Frame& frame) const;
    /// Carries out a frame that passed `check`; the result is the unit's reply.
    std::vector<std::uint8_t> carryOut(const Frame& frame, int progressBytes);
    /// The frame was answered: carried out, or refused by a rule or an injected fault.
    void answered(const Frame& frame, bool refused);

    /// Two bytes per word, high byte first.
    const std::vector<std::uint8_t>& memory() const { return m_memory; }
    std::uint16_t word(std::uint32_t address) const;
    void setWord(std::uint32_t address, std::uint16_t value);
    int commandCount(char command) const;

private:
    std::string checkCommand(const Frame& frame) const;
    std::string checkData(const Frame& frame) const;
    std::string checkTable(const Frame& frame) const;
    /// Data may only go where the memory is erased, or already holds the same words (a frame sent again).
    std::string checkErased(std::uint32_t address, const std::vector<std::uint8_t>& data) const;
    std::string checkMessage() const;
    std::vector<std::uint8_t> command(const Frame& frame, int progressBytes);
    std::vector<std::uint8_t> dataFrame(const Frame& frame);
    void erase(std::uint32_t address);

    std::vector<std::uint8_t> m_memory;
    std::map<char, int> m_commands;
    bool m_writing = false;
    /// The last reply was an erase's: ACK, progress bytes, 6.
    bool m_lastReplyErase = false;
    bool m_arrivedDuringErase = false;
    /// Word address the next wave data frame must go to, and where the message of the open sequence began.
    std::uint32_t m_nextWave = 0;
    std::uint32_t m_messageStart = 0;
    /// A well-formed frame this unit answered with NAK: the next frame of its kind must be the same bytes.
    std::vector<std::uint8_t> m_refused;
    std::string m_refusedKind;
};
