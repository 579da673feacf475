#include "unitlink/TraceText.h"

#include <algorithm>
#include <optional>

#include "unitlink/FrameCodec.h"
#include "unitlink/TableBlocks.h"

namespace TraceText {

namespace {

constexpr std::uint8_t kStart = FrameCodec::kStart;
constexpr std::uint8_t kDot = '.';
constexpr std::uint8_t kAck = 6;
/// A length beyond any frame of the link: the bytes are shown as they are, not waited for.
constexpr std::size_t kLongestPayload = 1200;
/// The word address before the table's 128 bytes.
constexpr std::size_t kTablePayload = 3 + TableBlocks::kBlockBytes;

std::string hex2(std::uint8_t value) {
    return hex(&value, 1);
}

std::string word(std::int32_t address) {
    if (address < 0)
        return "-";
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(address >> 16), static_cast<std::uint8_t>(address >> 8),
                                  static_cast<std::uint8_t>(address)};
    std::string text = hex(bytes, 3);
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

std::string commandName(std::uint8_t command) {
    if (command >= 0x21 && command < 0x7F)
        return std::string(1, static_cast<char>(command)) + " (" + hex2(command) + ")";
    return hex2(command);
}

std::string checkWord(const TableBlocks::Block& block) {
    return TableBlocks::wordSum(block) == TableBlocks::kBlockSum ? "check word ok" : "check word bad";
}

std::string messageTable(const TableBlocks::Block& block) {
    const TableBlocks::MessageTable table = TableBlocks::decodeMessageBlock(block);
    std::string text = "message table: count " + std::to_string(table.msgNumber) + ", entries";
    std::string entries;
    for (int i = 1; i <= TableBlocks::kSlots; ++i)
        if (table.msgAddress[i] >= 0)
            entries += " " + std::to_string(i) + ": " + word(table.msgAddress[i]) + ",";
    text += entries.empty() ? " none," : entries;
    return text + " end " + word(table.endAddress) + ", " + checkWord(block);
}

std::string triggerTable(const TableBlocks::Block& block) {
    using namespace TableBlocks;
    const TriggerTable table = decodeTriggerBlock(block);
    std::string triggers;
    int count = 0;
    for (int t = 1; t <= kTriggers; ++t) {
        std::string messages, zones;
        for (int k = 1; k <= kSteps; ++k)
            if (const std::uint8_t m = table.steps[kSteps * (t - 1) + k])
                messages += " " + std::to_string(m);
        for (int z = 1; z <= kZones; ++z)
            if (table.zones[kZones * (t - 1) + z])
                zones += " " + std::to_string(z);
        if (messages.empty() && zones.empty())
            continue;
        ++count;
        triggers += " " + std::to_string(t) + ": messages" + (messages.empty() ? " none" : messages) + ", zones" +
                    (zones.empty() ? " none" : zones) + ";";
    }
    return "trigger table: " + std::to_string(count) + " triggers set;" + triggers + " " + checkWord(block);
}

/// The table a whole data frame writes, if it writes one.
std::string tableText(const std::vector<std::uint8_t>& b, const FrameCodec::Header& header, std::uint32_t address) {
    if (header.payloadLength != kTablePayload)
        return {};
    TableBlocks::Block block;
    std::copy_n(b.begin() + static_cast<std::ptrdiff_t>(header.size + 3), block.size(), block.begin());
    if (address == TableBlocks::kMsgTabAddress)
        return "; " + messageTable(block);
    if (address == TableBlocks::kTrgTabAddress)
        return "; " + triggerTable(block);
    return {};
}

/// The length of the frame at the start of `b`, once enough of it is there to tell.
std::optional<std::size_t> frameLength(const std::vector<std::uint8_t>& b) {
    const auto header = FrameCodec::readHeader(b.data(), b.size());
    if (!header)
        return std::nullopt;
    return header->size + std::min(header->payloadLength, kLongestPayload + 1) + FrameCodec::kTrailer;
}

/// What the frame's bytes say, as far as they go; its header is there.
Piece decode(const std::vector<std::uint8_t>& b, std::size_t length, bool whole) {
    const FrameCodec::Header header = *FrameCodec::readHeader(b.data(), b.size());
    Piece piece;
    piece.kind = whole ? Kind::Command : Kind::Incomplete;
    std::string& text = piece.text;
    const std::size_t payload = header.payloadLength;
    if (header.isCommand) {
        piece.command = header.command;
        text =
            "from " + hex2(header.sender) + " to " + hex2(header.receiver) + ", command " + commandName(header.command);
    } else if (payload == 0 && whole) {
        piece.kind = Kind::End;
        text = "end frame (end of the write sequence)";
    } else {
        piece.kind = whole ? Kind::Table : Kind::Incomplete;
        text = "data frame";
        if (length >= header.size + 3) {
            const std::uint8_t* at = &b[header.size];
            piece.address = static_cast<std::uint32_t>(at[0] << 16 | at[1] << 8 | at[2]);
            text += " to word " + hex(at, 3);
            if (whole)
                piece.kind = piece.address >= TableBlocks::kMsgTabAddress ? Kind::Table : Kind::MessageData;
        }
    }
    if (piece.kind != Kind::End)
        text += ", payload " + std::to_string(payload);
    if (!whole || payload > kLongestPayload) {
        piece.kind = Kind::Incomplete;
        text += ", incomplete";
        return piece;
    }
    const FrameCodec::Trailer trailer = FrameCodec::readTrailer(b.data(), header);
    text += ", checksum " + hex2(trailer.received);
    text += trailer.received == trailer.computed ? " ok" : " bad (computed " + hex2(trailer.computed) + ")";
    if (!trailer.lineEnd())
        text += ", no CR LF at the end";
    if (header.isCommand && payload == 1)
        text += ", payload byte " + std::to_string(b[header.size]);
    if (piece.kind == Kind::Table)
        text += tableText(b, header, piece.address);
    return piece;
}

}  // namespace

std::string hex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        if (i)
            out += ' ';
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0x0F];
    }
    return out;
}

std::string outside(const std::uint8_t* bytes, std::size_t count, std::uint8_t lastCommand) {
    const std::uint8_t* end = bytes + count;
    const std::uint8_t* ack = std::find_if(bytes, end, [](std::uint8_t b) { return b != kDot; });
    const auto dots = static_cast<std::size_t>(ack - bytes);
    const std::size_t rest = count - dots;
    const bool erase = lastCommand == 'E' && (rest == 0 || (rest == 1 && *ack == kAck));
    // The check sum follows the acknowledgement as four hex digits.
    const bool check = lastCommand == 'C' &&
                       (rest == 0 || (*ack == kAck && rest <= 5 && std::all_of(ack + 1, end, FrameCodec::isHexDigit)));
    if (!erase && !check)
        return std::to_string(count) + " bytes outside a frame";
    std::string text =
        std::string(erase ? "erase" : "check") + " progress: " + std::to_string(dots) + (dots == 1 ? " dot" : " dots");
    if (rest > 0)
        text += ", then ACK (06)";
    if (rest > 1)
        text += ", check sum " + std::string(ack + 1, end);
    return text;
}

std::vector<Piece> take(std::vector<std::uint8_t>& b, bool all, bool holdTrailing, std::uint8_t lastCommand) {
    std::vector<Piece> pieces;
    while (!b.empty()) {
        if (b[0] != kStart) {
            const auto start = std::find(b.begin(), b.end(), kStart);
            if (start == b.end() && holdTrailing && !all && !pieces.empty())
                break;
            const auto count = static_cast<std::size_t>(start - b.begin());
            pieces.push_back({Kind::Outside, hex(b.data(), count) + " | " + outside(b.data(), count, lastCommand)});
            b.erase(b.begin(), start);
            continue;
        }
        const auto length = frameLength(b);
        if (length && b.size() >= *length) {
            Piece piece = decode(b, *length, true);
            piece.text = hex(b.data(), *length) + " | " + piece.text;
            pieces.push_back(std::move(piece));
            b.erase(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(*length));
            continue;
        }
        if (all) {
            Piece piece{Kind::Incomplete, "incomplete frame"};
            if (FrameCodec::readHeader(b.data(), b.size()))
                piece = decode(b, b.size(), false);
            piece.text = hex(b.data(), b.size()) + " | " + piece.text;
            pieces.push_back(std::move(piece));
            b.clear();
        }
        break;
    }
    return pieces;
}

}  // namespace TraceText
