#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/ISerialPort.h"

class QSerialPort;

/// The serial port on QSerialPort: raw 8-bit bytes, no flow control, `OnComm` whenever bytes arrive, each
/// output written in one piece. Port numbers name "COM1", "COM2" ... on Windows; elsewhere each number maps
/// to a device path, by default /dev/ttyS0 for 1 and /dev/ttyS1 for 2, changeable with `setDevicePath`
/// (USB adapters appear as /dev/ttyUSB0 or /dev/ttyACM0). A port name given opens that port instead. On Linux the port
/// is asked for low latency, so that USB adapters pass short replies on at once; a port that refuses (a
/// pseudo-terminal, some drivers) works as before.
class QtSerialPort : public ISerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    void setDevicePath(int number, const std::string& path) override;
    /// The name the port number opens: "COM<n>" on Windows, its device path elsewhere.
    std::string deviceName(int number) const;

    void setCommPort(int number) override { m_number = number; }
    int commPort() const override { return m_number; }
    void setPortName(const std::string& name) override { m_name = name; }
    std::string portName() const override { return m_name.empty() ? deviceName(m_number) : m_name; }
    void setSettings(const std::string& settings) override { m_settings = settings; }
    std::string settings() const override { return m_settings; }
    bool setPortOpen(bool open) override;
    bool portOpen() const override;
    std::string lastError() const override { return m_error; }
    void output(const std::vector<std::uint8_t>& bytes) override;
    std::vector<std::uint8_t> input() override;
    int inBufferCount() const override;

    /// Whether the last open got the low-latency mode.
    bool lowLatency() const { return m_lowLatency; }

private:
    bool applySettings();
    void requestLowLatency();

    std::unique_ptr<QSerialPort> m_port;
    std::map<int, std::string> m_devices;
    int m_number = 1;
    std::string m_name;
    std::string m_settings = "9600,N,8,1";
    std::string m_error;
    bool m_lowLatency = false;
};
