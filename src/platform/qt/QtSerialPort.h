#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/SerialPortBase.h"

class QSerialPort;

/// The serial port on QSerialPort: raw 8-bit bytes, no flow control, `OnComm` whenever bytes arrive, each
/// output written in one piece. Port numbers name "COM1", "COM2" ... on Windows; elsewhere each number maps
/// to a device path, by default /dev/ttyS0 for 1 and /dev/ttyS1 for 2, changeable with `setDevicePath`
/// (USB adapters appear as /dev/ttyUSB0 or /dev/ttyACM0). A port name given opens that port instead. On Linux the port
/// is asked for low latency, so that USB adapters pass short replies on at once; a port that refuses (a
/// pseudo-terminal, some drivers) works as before. A port that fails under way (the adapter pulled, the line hung
/// up, a write refused) closes itself and reports through `OnError` at once, rather than leaving a read to wait
/// for bytes that cannot come.
class QtSerialPort : public SerialPortBase {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    void setDevicePath(int number, const std::string& path) override;
    /// Everywhere but on Windows.
    bool portsAreDeviceFiles() const override;
    /// The name the port number opens: "COM<n>" on Windows, its device path elsewhere.
    std::string deviceName(int number) const;

    bool setPortOpen(bool open) override;
    bool portOpen() const override;
    void output(const std::vector<std::uint8_t>& bytes) override;
    std::vector<std::uint8_t> input() override;
    int inBufferCount() const override;

    /// Whether the last open got the low-latency mode.
    bool lowLatency() const { return m_lowLatency; }

protected:
    std::string numberedName() const override { return deviceName(commPort()); }

private:
    bool applySettings();
    void errorOccurred(int error);
    void requestLowLatency();

    std::unique_ptr<QSerialPort> m_port;
    std::map<int, std::string> m_devices;
    bool m_lowLatency = false;
};
