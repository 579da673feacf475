#include "unitlink/SerialLink.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "unitlink/FrameCodec.h"
#include "unitlink/ILinkEvents.h"

namespace {

constexpr std::uint8_t kLf = FrameCodec::kLf;

}  // namespace

SerialLink::SerialLink(Platform& platform, const AppState& app, ILinkEvents& events)
    : m_platform(platform),
      m_events(events),
      m_timer3(platform.events.createTimer()),
      m_trace(std::make_unique<ProtocolTrace>(platform, app)) {
    m_timer3->Timer = [this] { Timer3_Timer(); };
}

SerialLink::~SerialLink() {
    m_timer3->Timer = nullptr;
}

// --- Transmit path ---

void SerialLink::RS232Write(std::uint8_t Data) {
    OutputCheckSum = static_cast<std::uint8_t>(OutputCheckSum + Data);
    TxFrame[TxFrameLength++] = Data;
    // A full buffer is handed over early: the wire carries the same bytes, only in more writes.
    if (Data == kLf || TxFrameLength == kFrameSize)
        handOver();
}

void SerialLink::handOver() {
    ISerialPort& port = m_platform.serial;
    if (port.portOpen()) {
        port.output(std::vector<std::uint8_t>(TxFrame.begin(), TxFrame.begin() + TxFrameLength));
        m_trace->bytesSent(TxFrame.data(), static_cast<std::size_t>(TxFrameLength));
    } else {
        m_events.statusChanged({StatusEvent::Kind::NotConnected, {}});
    }
    TxFrameLength = 0;
}

void SerialLink::RS232WriteHex(std::uint8_t InputValue) {
    RS232Write(FrameCodec::hexDigit(InputValue >> 4));
    RS232Write(FrameCodec::hexDigit(InputValue));
}

bool SerialLink::RS232WriteInt(std::int32_t InputValue) {
    if (InputValue < 0 || InputValue > 0xFFFF)
        return false;
    RS232Write(static_cast<std::uint8_t>(InputValue / 256));
    RS232Write(static_cast<std::uint8_t>(InputValue % 256));
    return true;
}

int SerialLink::ownPayloadLength(std::uint8_t COMD) {
    switch (COMD) {
        case 'P':
        case 'W':
        case 'L':
            return 0;
        case 'R':
        case 'E':
        case 'C':
        case 'T':
            return 3;
        default:
            return -1;
    }
}

void SerialLink::CommandWrite(std::uint8_t IDD, std::uint8_t COMD) {
    // `PayloadLength` also counts the last reply received; a command of the unit's own never sends that on.
    const int own = ownPayloadLength(COMD);
    const int count = std::clamp<int>(own >= 0 ? own : PayloadLength, 0, kPayloadSize);
    writeFrame(FrameCodec::commandFrame(kPc, IDD, COMD, PayloadData.data() + 1, static_cast<std::size_t>(count)));
    PayloadLength = 0;
}

void SerialLink::writeFrame(const std::vector<std::uint8_t>& frame) {
    OutputCheckSum = 0;
    // Byte by byte: the checksum runs and the frame goes to the port at each LF, as the transmit path does.
    for (std::uint8_t byte : frame)
        RS232Write(byte);
}

// --- Receive path ---

void SerialLink::Timer3_Timer() {
    TimeOut = true;
    m_timer3->setEnabled(false);
}

void SerialLink::receive(const std::uint8_t* bytes, std::size_t count) {
    m_trace->bytesReceived(bytes, count);
    for (std::size_t i = 0; i < count; ++i) {
        int next = (DataInPoint + 1) % kRingSize;
        if (next == DataOutPoint) {
            DataInPoint = DataOutPoint;
            m_overrun = true;
            return;
        }
        RxRing[DataInPoint] = bytes[i];
        DataInPoint = static_cast<std::int16_t>(next);
    }
}

void SerialLink::resetRing() {
    DataInPoint = 0;
    DataOutPoint = 0;
    m_overrun = false;
}

bool SerialLink::RS232Read() {
    ISerialPort& port = m_platform.serial;
    if (DataInPoint == DataOutPoint && !m_overrun && !port.portOpen()) {
        // A closed port brings nothing: waiting on it would cost a second time-out for the same silence.
        if (!m_readFailure)
            m_readFailure = portLost();
        m_events.readFailed();
        return false;
    }
    // However the time-out was set, a read must end: none at all takes the start value.
    const int timeOut = settings.readTimeOut();
    TimeOut = false;
    // A byte already in the ring needs no wait, and so no timer: a 128-byte reply would otherwise restart the
    // system's timer 141 times for nothing.
    if (!m_overrun && DataInPoint == DataOutPoint) {
        m_timer3->setEnabled(false);
        m_timer3->setInterval(timeOut);
        m_timer3->setEnabled(true);
        // A port that fails closes itself: the wait ends with it, not with the time-out.
        while (!TimeOut && !m_overrun && DataInPoint == DataOutPoint && port.portOpen())
            m_platform.events.waitForEvents();
        m_timer3->setEnabled(false);
    }
    if (!m_overrun && DataInPoint == DataOutPoint && !port.portOpen()) {
        // The port has reported why it closed; there was no time-out to trace.
        if (!m_readFailure)
            m_readFailure = portLost();
        m_events.readFailed();
        return false;
    }
    if (m_overrun || DataInPoint == DataOutPoint) {
        m_trace->readFailed(timeOut, m_overrun);
        if (!m_readFailure)
            m_readFailure = LinkOutcome{m_overrun ? LinkOutcome::Kind::InvalidReply : LinkOutcome::Kind::NoAnswer, {}};
        m_overrun = false;
        m_events.readFailed();
        return false;
    }
    Rs232DataByte = RxRing[DataOutPoint];
    DataOutPoint = static_cast<std::int16_t>((DataOutPoint + 1) % kRingSize);
    InputCheckSum = static_cast<std::uint8_t>(InputCheckSum + Rs232DataByte);
    m_events.byteRead(DataOutPoint, InputCheckSum);
    return true;
}

std::uint8_t SerialLink::CTN(std::uint8_t RByte) {
    return FrameCodec::digitValue(RByte);
}

bool SerialLink::RS232ReadHex() {
    if (!RS232Read())
        return false;
    std::uint8_t high = CTN(Rs232DataByte);
    if (!RS232Read())
        return false;
    Rs232DataByte = static_cast<std::uint8_t>(high * 16 + CTN(Rs232DataByte));
    return true;
}

bool SerialLink::RS232ReadInt() {
    if (!RS232Read())
        return false;
    std::uint8_t high = Rs232DataByte;
    if (!RS232Read())
        return false;
    if (high >= 128)
        return false;
    Rs232DataInt = static_cast<std::int16_t>(high * 256 + Rs232DataByte);
    return true;
}

bool SerialLink::awaitAck(const std::function<void()>& dot) {
    constexpr std::uint8_t kDot = 0x2E;
    while (RS232Read()) {
        if (Rs232DataByte != kDot)
            return Rs232DataByte == kAck;
        dot();
    }
    return false;
}

bool SerialLink::discard(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!RS232Read())
            return false;
    return true;
}

std::uint8_t SerialLink::CommandRead(std::uint8_t IDS, std::uint8_t COMD) {
    m_frameFault = false;
    const std::uint8_t code = readReply(IDS, COMD);
    m_badReply = m_badReply || m_frameFault;
    m_trace->replyRead(code, m_frameFault);
    return code;
}

std::uint8_t SerialLink::readReply(std::uint8_t IDS, std::uint8_t COMD) {
    using Step = FrameCodec::Reader::Step;
    // An empty reply must not pass off a 6 left here by an earlier frame as its acknowledgement.
    PayloadData[1] = 0;
    Rs232DataByte = 0;
    FrameCodec::Reader reader(kPayloadSize);
    for (Step step = Step::Hunting; step != Step::Complete;) {
        if (!RS232Read()) {
            takePayload(reader);
            return 0;
        }
        step = reader.feed(Rs232DataByte);
        if (step == Step::Started)
            InputCheckSum = FrameCodec::kStart;
        if (step == Step::TooLong) {
            // A reply too long for the buffer is read to its end and dropped.
            takePayload(reader);
            discard(reader.header()->payloadLength + FrameCodec::kTrailer);
            return 0;
        }
    }
    takePayload(reader);
    const FrameCodec::Fault fault = FrameCodec::check(reader.frame(), IDS, kPc, COMD);
    m_frameFault = fault != FrameCodec::Fault::None;
    switch (fault) {
        case FrameCodec::Fault::Checksum:
            return 1;
        case FrameCodec::Fault::Cr:
            return 2;
        case FrameCodec::Fault::Lf:
            return 3;
        case FrameCodec::Fault::Address:
            return 4;
        case FrameCodec::Fault::Command:
            return 5;
        case FrameCodec::Fault::None:
            break;
    }
    if (PayloadLength <= 1)
        return PayloadData[1];
    return kAck;
}

void SerialLink::takePayload(const FrameCodec::Reader& reader) {
    const auto& header = reader.header();
    if (!header) {
        // Once the length is being read, the length of the frame before no longer stands.
        if (reader.bytesRead() >= FrameCodec::kCommandHeader - 2)
            PayloadLength = 0;
        return;
    }
    if (header->payloadLength < 0x8000)
        Rs232DataInt = static_cast<std::int16_t>(header->payloadLength);
    PayloadLength = header->payloadLength > kPayloadSize ? 0 : static_cast<std::int16_t>(header->payloadLength);
    const FrameCodec::Bytes payload = reader.payload();
    std::copy(payload.begin(), payload.end(), PayloadData.begin() + 1);
}

LinkOutcome SerialLink::lastOutcome() const {
    using Kind = LinkOutcome::Kind;
    if (m_readFailure)
        return *m_readFailure;
    if (Status == kAck)
        return {};
    if (Status == kNak)
        return {Kind::Refused, {}};
    // A one-byte reply of 1 to 5 in a sound frame is the unit's own code, not a garbled frame.
    if (m_badReply)
        return {Kind::InvalidReply, {}};
    if (!m_platform.serial.portOpen())
        return portLost();
    return {Kind::Refused, {}};
}

LinkOutcome SerialLink::portLost() const {
    const ISerialPort& port = m_platform.serial;
    const std::string why = port.lastError();
    return {LinkOutcome::Kind::PortLost, why.empty() ? port.portName() : why};
}

bool SerialLink::CommandDo(std::uint8_t IDD, std::uint8_t COMD) {
    // The reply lands in the same buffer as the payload: the frame is kept to go out again unchanged.
    const std::int16_t length = PayloadLength;
    const std::vector<std::uint8_t> payload(PayloadData.begin() + 1,
                                            PayloadData.begin() + 1 + std::clamp<int>(length, 3, kPayloadSize));
    CommandWrite(IDD, COMD);
    Status = CommandRead(IDD, COMD);
    if (Status == kAck)
        return true;
    if (Status == kNak) {
        std::copy(payload.begin(), payload.end(), PayloadData.begin() + 1);
        PayloadLength = length;
        CommandWrite(IDD, COMD);
        Status = CommandRead(IDD, COMD);
        return Status == kAck;
    }
    return false;
}
