#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// What the serial link tells a protocol trace: the bytes that go to and come from the port, the result of
/// each reply read, read time-outs, the port opened and closed. The link calls it at its central send and
/// receive points and nowhere else; the upload tells where each upload begins and ends.
class ILinkTrace {
public:
    virtual ~ILinkTrace() = default;
    /// Bytes handed to the open port, in the pieces the link writes.
    virtual void bytesSent(const std::uint8_t* bytes, std::size_t count) = 0;
    /// Bytes delivered by the port, in the pieces it delivers.
    virtual void bytesReceived(const std::uint8_t* bytes, std::size_t count) = 0;
    /// The result of reading one reply frame (`CommandRead`); `frameFault`: the code says which check the
    /// frame failed, not what the unit answered.
    virtual void replyRead(std::uint8_t code, bool frameFault) = 0;
    /// A read that got no byte: `overrun` when unread bytes were lost, else after `ms` of silence.
    virtual void readFailed(int ms, bool overrun) = 0;
    virtual void portOpened(int port, const std::string& device, const std::string& settings) = 0;
    virtual void portOpenFailed(int port, const std::string& device, const std::string& reason) = 0;
    virtual void portClosed() = 0;
    /// A fault the open port reported: bytes garbled or lost on the line, a failed write, the port lost.
    virtual void portFault(const std::string& reason) = 0;
    /// An upload begins (before its port is opened) and ends (after it is closed): the trace keeps whole ones.
    virtual void uploadStarted() = 0;
    virtual void uploadEnded() = 0;
};
