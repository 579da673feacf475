#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The emulated unit keeps frame code of its own on purpose: an oracle must not share the code it checks.

/// The frames of the link, built and read as bytes; nothing here touches a port.
///
/// A command frame: 2A, sender, receiver and command as two uppercase hex digits each, the payload length N
/// (raw, high byte first), N payload bytes, the checksum (the sum mod 256 of every byte before it) as two hex
/// digits, CR LF. A data frame of the upload keeps the start byte, the length, the checksum and CR LF; its
/// payload is a 3-byte word address and the data. The end frame is a data frame without payload.
class FrameCodec {
public:
    using Bytes = std::vector<std::uint8_t>;
    static constexpr std::uint8_t kStart = 0x2A;
    static constexpr std::uint8_t kCr = 13;
    static constexpr std::uint8_t kLf = 10;
    static constexpr std::size_t kCommandHeader = 9;
    static constexpr std::size_t kDataHeader = 3;
    /// The checksum digits, CR and LF.
    static constexpr std::size_t kTrailer = 4;

    static Bytes commandFrame(std::uint8_t sender, std::uint8_t receiver, std::uint8_t command,
                              const std::uint8_t* payload, std::size_t count);
    /// Only the low 24 bits of `address` are sent.
    static Bytes dataFrame(std::uint32_t address, const std::uint8_t* data, std::size_t count);
    static Bytes endFrame();

    static std::uint8_t checksum(const std::uint8_t* bytes, std::size_t count);
    static bool isHexDigit(std::uint8_t c);
    /// The uppercase hex digit of the low four bits of `nibble`.
    static std::uint8_t hexDigit(std::uint8_t nibble);
    /// "0" to "9" and "A" to "F" give 0 to 15; every other character, lowercase letters too, gives 0.
    static std::uint8_t digitValue(std::uint8_t c);
    static std::uint8_t hexByte(std::uint8_t high, std::uint8_t low);

    /// The fields before the payload.
    struct Header {
        /// A command frame; else a data frame, which has no identifiers and no command.
        bool isCommand = true;
        std::size_t size = kCommandHeader;
        std::uint8_t sender = 0;
        std::uint8_t receiver = 0;
        std::uint8_t command = 0;
        /// The payload length the frame announces.
        std::size_t payloadLength = 0;
        /// The whole frame's size in bytes.
        std::size_t frameSize() const { return size + payloadLength + kTrailer; }
    };
    /// The header of the frame at the start of `bytes` (which begin with the start byte), read as a command
    /// frame when a hex digit follows the start byte, else as a data frame; nothing while it is incomplete.
    static std::optional<Header> readHeader(const std::uint8_t* bytes, std::size_t count);
    /// The header of a command frame from its first 9 bytes, whatever they hold.
    static Header commandHeader(const std::uint8_t* bytes);

    /// What follows the payload.
    struct Trailer {
        std::uint8_t received = 0;
        /// The sum of the bytes from the start byte to the last payload byte.
        std::uint8_t computed = 0;
        std::uint8_t cr = 0;
        std::uint8_t lf = 0;
        bool lineEnd() const { return cr == kCr && lf == kLf; }
    };
    /// The trailer of a whole frame: `frame` holds at least `header.frameSize()` bytes.
    static Trailer readTrailer(const std::uint8_t* frame, const Header& header);

    /// A command frame read whole.
    struct Frame {
        Header header;
        Bytes payload;
        Trailer trailer;
    };
    /// What is wrong with a reply, in the order the checks are made.
    enum class Fault { None, Checksum, Cr, Lf, Address, Command };
    static Fault check(const Frame& frame, std::uint8_t sender, std::uint8_t receiver, std::uint8_t command);

    /// Reads one command frame a byte at a time: bytes before the start byte are skipped, and from the start
    /// byte on every byte belongs to the frame (a second start byte in the header is read as a digit).
    class Reader {
    public:
        enum class Step {
            Hunting,
            /// This byte was the start byte.
            Started,
            Reading,
            /// The frame announces more payload than `maxPayload`: it cannot be taken.
            TooLong,
            Complete
        };
        explicit Reader(std::size_t maxPayload) : m_maxPayload(maxPayload) {}

        Step feed(std::uint8_t byte);
        /// The header, once its 9 bytes are in.
        const std::optional<Header>& header() const { return m_header; }
        /// Bytes of the frame so far, from its start byte.
        std::size_t bytesRead() const { return m_bytes.size(); }
        /// The payload bytes received so far.
        Bytes payload() const;
        /// The frame, once complete.
        Frame frame() const;

    private:
        std::size_t m_maxPayload;
        bool m_started = false;
        Bytes m_bytes;
        std::optional<Header> m_header;
    };
};
