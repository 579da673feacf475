#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// How the protocol trace writes bytes of the link: in hex, then what they are. A command frame shows its
/// sender, receiver, command, payload length and checksum; a data frame its word address; the end frame, the
/// message table and the trigger table are named as such; the dots the unit sends while it erases or checks
/// are progress, other bytes outside a frame are counted.
namespace TraceText {

/// What a piece of the traced bytes is.
enum class Kind {
    Command,
    /// A data frame to a word below the tables: part of a message.
    MessageData,
    /// A data frame that is no part of a message: to the message table or the trigger table, or one too short
    /// to hold a word address.
    Table,
    /// The data frame without payload that closes a write sequence.
    End,
    /// Bytes before a start byte.
    Outside,
    /// The start of a frame whose end did not come.
    Incomplete
};

/// One frame, or one run of bytes outside a frame, as a line of the trace.
struct Piece {
    Kind kind = Kind::Outside;
    /// The bytes in hex, " | ", what they are.
    std::string text;
    /// The word address of a data frame.
    std::uint32_t address = 0;
    /// The command of a command frame.
    std::uint8_t command = 0;
};

std::string hex(const std::uint8_t* bytes, std::size_t count);

/// Takes every whole frame and every run of bytes outside a frame from the front of `bytes`. `all`: a frame
/// whose end did not come is taken too. `holdTrailing`: bytes outside a frame after the last frame stay,
/// as more of them may follow. `lastCommand`: the command sent last, which tells erase from check progress.
std::vector<Piece> take(std::vector<std::uint8_t>& bytes, bool all, bool holdTrailing, std::uint8_t lastCommand);

/// Bytes outside a frame: "erase progress: 2 dots, then ACK (06)" after an "E", "check progress: ..." with
/// the check sum after a "C", else "N bytes outside a frame".
std::string outside(const std::uint8_t* bytes, std::size_t count, std::uint8_t lastCommand);

}  // namespace TraceText
