#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/SerialPortBase.h"

class Win32EventPump;

/// A COM port through the Win32 API: "\\.\COMn" opened for overlapped I/O, the settings string applied to its
/// DCB, an overlapped wait for received bytes (EV_RXCHAR) kept armed, and each frame handed over in one write.
/// The wait's completion wakes the event loop, but no notification is relied on: after every turn of the loop
/// the port asks the driver how many bytes it holds and takes them in, raising `OnComm`. A wait that cannot be
/// armed again, a failed or unfinished write and a driver that stops answering close the port as lost.
class Win32SerialPort : public SerialPortBase {
public:
    explicit Win32SerialPort(Win32EventPump& pump);
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    /// Windows names its ports: a path "COMk" (or "\\.\COMk") makes port `number` open COMk; any other path
    /// is not used.
    void setDevicePath(int number, const std::string& path) override;
    bool portsAreDeviceFiles() const override { return false; }

    bool setPortOpen(bool open) override;
    bool portOpen() const override;

    void output(const std::vector<std::uint8_t>& bytes) override;
    std::vector<std::uint8_t> input() override;
    int inBufferCount() const override { return static_cast<int>(m_received.size()); }

    /// The open port's HANDLE, for reading its state back; null while closed.
    void* nativeHandle() const;
    /// The event the receive wait signals, which the event loop watches; null while closed.
    void* receiveEvent() const;

protected:
    std::string numberedName() const override;

private:
    struct Io;

    bool open();
    bool setUp(void* port, std::string& failure);
    void close();
    /// Arms the receive wait; false when the driver refuses it.
    bool armWait();
    /// Looks at the receive wait and the driver's queue, takes in what is there and re-arms the wait.
    void service();
    /// Reads every byte the port holds into the received bytes; true when there were any. Sets `failure` when
    /// the driver fails, `line` when it saw bytes garbled or lost on the line.
    bool takeWaitingBytes(std::string& failure, std::string& line);
    /// Closes the port and reports it through `lastError()` and `OnError`.
    void fail(const std::string& why);

    Win32EventPump& m_pump;
    /// The COM port number that port `number` opens, where a device path named another.
    int comNumber() const;

    std::map<int, int> m_comNumbers;
    std::unique_ptr<Io> m_io;
    std::vector<std::uint8_t> m_received;
};
