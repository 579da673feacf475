#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ISerialPort.h"

/// A serial port that hands every call to another one, its receive notification included: a benchmark
/// overrides what it measures.
class ForwardingPort : public ISerialPort {
public:
    explicit ForwardingPort(ISerialPort& port) : m_port(port) {
        m_port.OnComm = [this] {
            if (OnComm)
                OnComm();
        };
    }
    void setCommPort(int number) override { m_port.setCommPort(number); }
    void setDevicePath(int number, const std::string& path) override { m_port.setDevicePath(number, path); }
    bool portsAreDeviceFiles() const override { return m_port.portsAreDeviceFiles(); }
    int commPort() const override { return m_port.commPort(); }
    void setPortName(const std::string& name) override { m_port.setPortName(name); }
    std::string portName() const override { return m_port.portName(); }
    void setSettings(const std::string& settings) override { m_port.setSettings(settings); }
    std::string settings() const override { return m_port.settings(); }
    bool setPortOpen(bool open) override { return m_port.setPortOpen(open); }
    bool portOpen() const override { return m_port.portOpen(); }
    std::string lastError() const override { return m_port.lastError(); }
    void output(const std::vector<std::uint8_t>& bytes) override { m_port.output(bytes); }
    std::vector<std::uint8_t> input() override { return m_port.input(); }
    int inBufferCount() const override { return m_port.inBufferCount(); }

protected:
    ISerialPort& m_port;
};
