#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// The serial-port control: a port number, a settings string such as "115200,N,8,2", an open state,
/// whole-buffer output and input of raw bytes, and a notification when bytes arrive.
class ISerialPort {
public:
    virtual ~ISerialPort() = default;

    virtual void setCommPort(int number) = 0;
    /// Where ports are device files: the device that port `number` opens. Elsewhere ports have fixed names
    /// and the path is not used.
    virtual void setDevicePath(int number, const std::string& path) = 0;
    /// Whether port numbers open device files (see `setDevicePath`), which the settings keep beside the number;
    /// false where the system names its ports ("COM1" ...).
    virtual bool portsAreDeviceFiles() const = 0;
    virtual int commPort() const = 0;
    /// Opens the port of this system name ("COM5", "/dev/ttyUSB0", as the port list gives it) in place of the
    /// one the port number names; an empty name gives the choice back to the number.
    virtual void setPortName(const std::string& name) = 0;
    /// The system name the next open uses, or the open port has.
    virtual std::string portName() const = 0;
    virtual void setSettings(const std::string& settings) = 0;
    virtual std::string settings() const = 0;

    /// Opens or closes the port. Opening fails with `lastError()` telling why (absent, busy, no permission).
    virtual bool setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;
    virtual std::string lastError() const = 0;

    /// Writes the bytes in one piece.
    virtual void output(const std::vector<std::uint8_t>& bytes) = 0;
    /// Takes every byte received so far.
    virtual std::vector<std::uint8_t> input() = 0;
    virtual int inBufferCount() const = 0;

    /// Runs from the event loop whenever bytes have arrived.
    std::function<void()> OnComm;
    /// Runs when the port reports a fault with a text that names the port and the cause: bytes garbled or
    /// lost on the line, a write that failed or did not finish, the port lost. A port that failed or was lost
    /// is closed first, with `lastError()` giving the same text.
    std::function<void(const std::string&)> OnError;
};
