#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ITimer.h"
#include "unitlink/FrameCodec.h"
#include "unitlink/LinkOutcome.h"
#include "unitlink/LinkSettings.h"
#include "unitlink/ProtocolTrace.h"

struct AppState;
class ILinkEvents;
struct Platform;

/// The byte and frame layer of the RS232 link to the unit: raw, hex-coded and 16-bit writes with a running
/// checksum, frames handed to the port at each LF, bytes read back from the receive ring with a per-byte
/// time-out, and the command exchange on top. There is one link for the program. It shows nothing itself:
/// what the window must show it reports to `ILinkEvents`.
class SerialLink {
public:
    static constexpr std::uint8_t kPc = 0x64;
    static constexpr std::uint8_t kUnit = 0x55;
    static constexpr std::uint8_t kAck = 6;
    static constexpr std::uint8_t kNak = 21;
    static constexpr int kRingSize = 1024;
    static constexpr int kFrameSize = 1201;
    static constexpr int kPayloadSize = 1200;

    /// `app` gives the folder of the protocol trace's file.
    SerialLink(Platform& platform, const AppState& app, ILinkEvents& events);
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    void RS232Write(std::uint8_t Data);
    void RS232WriteHex(std::uint8_t InputValue);
    /// A negative value is refused: nothing is written and false returned.
    bool RS232WriteInt(std::int32_t InputValue);
    bool RS232Read();
    bool RS232ReadHex();
    bool RS232ReadInt();
    /// Reads what the unit sends while it works on a long command: a dot now and then, then its
    /// acknowledgement. `dot` runs for each dot; false when another byte comes, or none.
    bool awaitAck(const std::function<void()>& dot);
    static std::uint8_t CTN(std::uint8_t RByte);

    /// Sends one command frame. A command of the unit's own carries exactly its own payload whatever
    /// `PayloadLength` says: none for "P", "W" and "L", the 3 address bytes of `PayloadData` for "R", "E", "C"
    /// and "T". Other commands carry `PayloadData` elements 1 to `PayloadLength`.
    void CommandWrite(std::uint8_t IDD, std::uint8_t COMD);
    /// A whole frame of `FrameCodec`'s through `RS232Write`, `OutputCheckSum` counted from 0.
    void writeFrame(const std::vector<std::uint8_t>& frame);
    /// The reply's one payload byte (6 ACK, 21 NAK, or another code of the unit's), `kAck` for a longer
    /// payload, 0 when no whole frame came, or 1 to 5 for a frame that failed its checks (checksum, CR, LF,
    /// sender or receiver, command). Which of the two a 1 to 5 was is kept apart for `lastOutcome`.
    std::uint8_t CommandRead(std::uint8_t IDS, std::uint8_t COMD);
    /// `CommandWrite` and `CommandRead`, and after a NAK the same frame once more, byte for byte. Why it failed
    /// is `lastOutcome`.
    bool CommandDo(std::uint8_t IDD, std::uint8_t COMD);
    /// The payload length a command of the unit's carries (0 or 3), or -1 for a command it does not know.
    static int ownPayloadLength(std::uint8_t COMD);

    /// Stores received bytes in the ring at `DataInPoint`. A byte that would overwrite unread data
    /// discards everything unread and the rest of `bytes`, and makes the waiting read fail: a reply with a
    /// gap in it must not pass for a whole one.
    void receive(const std::uint8_t* bytes, std::size_t count);
    /// What the last exchange ended with, as far as the link can tell: a read that got nothing since
    /// `clearOutcome`, else what `Status` means: success, a refusal, or a reply not valid when a frame
    /// failed its checks since `clearOutcome`.
    LinkOutcome lastOutcome() const;
    void clearOutcome() {
        m_readFailure.reset();
        m_badReply = false;
    }

    /// Empties the ring and the frame being assembled (port opened, start of an upload).
    void resetRing();
    void resetTxFrame() { TxFrameLength = 0; }

    std::uint8_t Rs232DataByte = 0;
    std::int16_t Rs232DataInt = 0;
    std::uint8_t InputCheckSum = 0;
    std::uint8_t OutputCheckSum = 0;
    std::int16_t DataInPoint = 0;
    std::int16_t DataOutPoint = 0;
    bool TimeOut = false;
    std::uint8_t Status = 0;
    /// One buffer for both directions, elements 1 to `PayloadLength`.
    std::array<std::uint8_t, kPayloadSize + 1> PayloadData{};
    std::int16_t PayloadLength = 0;
    /// What the port is opened with and how long a read waits.
    LinkSettings settings;

    /// Where the link reports what the window shows; the operations on the link report there too.
    ILinkEvents& events() { return m_events; }
    ITimer& Timer3() { return *m_timer3; }
    /// The protocol trace, told of every byte sent and received, reply read and read time-out.
    ProtocolTrace& trace() { return *m_trace; }
    bool overrun() const { return m_overrun; }

private:
    void Timer3_Timer();
    void handOver();
    /// Reads and drops `count` bytes; false when one does not come.
    bool discard(std::size_t count);
    std::uint8_t readReply(std::uint8_t IDS, std::uint8_t COMD);
    /// The port closed under the exchange, with its name and, where it said, why.
    LinkOutcome portLost() const;
    /// `PayloadLength` and `PayloadData` from what the reader has of a reply, whole or not.
    void takePayload(const FrameCodec::Reader& reader);

    Platform& m_platform;
    ILinkEvents& m_events;
    std::unique_ptr<ITimer> m_timer3;
    std::unique_ptr<ProtocolTrace> m_trace;
    std::array<std::uint8_t, kRingSize> RxRing{};
    std::array<std::uint8_t, kFrameSize> TxFrame{};
    std::int16_t TxFrameLength = 0;
    bool m_overrun = false;
    /// Set when a read got no byte: the unit fell silent, or a reply overran the ring.
    std::optional<LinkOutcome> m_readFailure;
    /// The last reply read was a frame that failed its checks; `m_badReply`: one did since `clearOutcome`.
    bool m_frameFault = false;
    bool m_badReply = false;
};
