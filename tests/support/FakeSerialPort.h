#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/SerialPortBase.h"

class FakeEventPump;

/// A serial port for core tests.
/// - `failOpen(reason)`: the next opens fail with that reason.
/// - `written`: every frame the program output, in order; `writtenBytes()` all of them in one stream.
/// - `feed(bytes)`: bytes arrive from the far end; OnComm is posted to the event pump as a notification.
/// - `peer`: when set, called with each output frame; whatever it returns arrives as the reply (this is how
///   the emulated unit is wired in).
/// - `stallWrites`: output is dropped, as on a dead line.
/// - `vanish(reason)`: the port goes away at once (the adapter pulled): it closes itself and reports through
///   `OnError`, naming itself and the reason, as the real ports do. `vanishAfter(frames, reason)`: the port
///   goes away once that many more frames were output, its loss posted to the event pump in place of the
///   reply; with `inWrite` the output after them fails instead and the port goes away inside it, as on a
///   refused write.
/// - `openedNames`: the port name of every open tried (the name given, else "COM" and the port number).
/// - `deviceFiles`: what `portsAreDeviceFiles()` says; as the system's own ports by default, so not on Windows.
class FakeSerialPort : public SerialPortBase {
public:
    explicit FakeSerialPort(FakeEventPump& pump) : m_pump(pump) {}

    void setDevicePath(int number, const std::string& path) override { devicePaths[number] = path; }
    bool portsAreDeviceFiles() const override { return deviceFiles; }
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return m_open; }
    void output(const std::vector<std::uint8_t>& bytes) override;
    std::vector<std::uint8_t> input() override;
    int inBufferCount() const override { return static_cast<int>(m_in.size()); }

    void failOpen(std::string reason) { m_failReason = std::move(reason); }
    void vanish(const std::string& reason);
    void vanishAfter(int frames, std::string reason, bool inWrite = false) {
        m_vanishAfter = static_cast<int>(written.size()) + frames;
        m_vanishReason = std::move(reason);
        m_vanishInWrite = inWrite;
    }
    void feed(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> writtenBytes() const;

    std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>&)> peer;
    bool stallWrites = false;
    std::vector<std::vector<std::uint8_t>> written;
    std::map<int, std::string> devicePaths;
#ifdef _WIN32
    bool deviceFiles = false;
#else
    bool deviceFiles = true;
#endif
    int opens = 0;
    /// `portName()` at every open tried, in order.
    std::vector<std::string> openedNames;

private:
    FakeEventPump& m_pump;
    bool m_open = false;
    std::string m_failReason;
    int m_vanishAfter = -1;
    std::string m_vanishReason;
    bool m_vanishInWrite = false;
    std::vector<std::uint8_t> m_in;
};
