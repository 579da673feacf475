#include "EmulatedUnit.h"

#include <utility>

const char* const EmulatedUnit::kChecks =
    "Every frame is checked; one that fails a check is answered with NAK, changes nothing, and its log line\n"
    "gives the reason:\n"
    "  - a frame whose checksum is wrong, or that does not end with CR LF;\n"
    "  - a command frame whose sender is not the PC (64) or whose receiver is not the unit (55), whose\n"
    "    command is unknown, or whose payload length is not its command's (0 for P, W and L; 3, a word\n"
    "    address, for R, E, C and T); R and C must address 64 words inside the memory;\n"
    "  - W, P, L or E while a write sequence is open (after an acknowledged W, until the end frame);\n"
    "  - a data frame without an acknowledged W before it;\n"
    "  - a wave data frame that does not carry exactly 350 data bytes, that is not at the next word address\n"
    "    (0 after P, going on from the previous message, the same address again after a NAK), that reaches\n"
    "    0x3FF000, or that would overwrite memory that is not erased;\n"
    "  - a table frame that is not 128 bytes at 0x3FF000 or 0x3FF100, whose 64 words do not sum to 0xFFC0,\n"
    "    or whose entries are malformed (message table: 12 entries of 00 and an address below 0x3FF000 or\n"
    "    FF FF FF FF, the end address in the same form, 00, a count of at most 12 matching the entries,\n"
    "    zeros; trigger table: 12 records of four pairs 00 and a message number up to 12 and a pair 00 and\n"
    "    a zone byte below 0x40, then zeros), or that would overwrite memory that is not erased;\n"
    "  - an end frame whose message does not close with its check word (the sum of (w + 1) over its words\n"
    "    is not a multiple of 65536); where the message's RIFF header gives the file's length and the check\n"
    "    word stands right after it, also an odd file not padded with FF or a fill that is not FF;\n"
    "  - a frame sent again after a NAK (the same command, or data to the same address) that is not\n"
    "    byte for byte the frame refused;\n"
    "  - anything that arrives while an erase is still sending its progress bytes (paced line only).\n"
    "Bytes outside frames are skipped, as line noise.\n";

EmulatedUnit::EmulatedUnit(UnitFaults faults) : m_faults(std::move(faults)) {}

void EmulatedUnit::note(const std::string& line) {
    m_log.push_back("#" + std::to_string(m_frames) + " " + line);
}

std::vector<std::uint8_t> EmulatedUnit::receive(const std::uint8_t* bytes, std::size_t count, bool whileReplying) {
    m_framing.feed(bytes, count);
    std::vector<std::uint8_t> out;
    while (auto frame = m_framing.take()) {
        ++m_frames;
        auto answered = answer(*frame, whileReplying);
        out.insert(out.end(), answered.begin(), answered.end());
    }
    return out;
}

std::vector<std::uint8_t> EmulatedUnit::answer(const UnitFraming::Frame& frame, bool whileReplying) {
    m_rules.arrived(whileReplying);
    if (m_faults.silent(m_frames)) {
        note(frame.describe() + ": silent (injected fault)");
        return {};
    }
    const std::string reason = m_rules.check(frame);
    std::string injected;
    std::vector<std::uint8_t> out;
    bool refused = true;
    if (!reason.empty()) {
        ++m_refusals;
        note(frame.describe() + ": " + reason + ": NAK");
    } else if (!(injected = m_faults.refusal(frame, m_frames)).empty()) {
        note(frame.describe() + ": " + injected);
    } else {
        refused = false;
        out = m_rules.carryOut(frame, progressBytes);
        note(frame.describe() + ": ACK");
    }
    if (refused)
        out = UnitFraming::nak(frame.replyCommand());
    m_rules.answered(frame, refused);
    m_faults.disturb(out, m_frames);
    return out;
}
