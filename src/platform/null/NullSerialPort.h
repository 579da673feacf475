#pragma once

#include "platform/ISerialPort.h"

/// A serial port that is never there: every open fails and says so. Stands in until the real port exists.
class NullSerialPort : public ISerialPort {
public:
    void setCommPort(int number) override { m_port = number; }
    void setDevicePath(int, const std::string&) override {}
    int commPort() const override { return m_port; }
    void setPortName(const std::string& name) override { m_name = name; }
    std::string portName() const override { return m_name.empty() ? "COM" + std::to_string(m_port) : m_name; }
    void setSettings(const std::string& settings) override { m_settings = settings; }
    std::string settings() const override { return m_settings; }
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return false; }
    std::string lastError() const override { return m_error; }
    void output(const std::vector<std::uint8_t>&) override {}
    std::vector<std::uint8_t> input() override { return {}; }
    int inBufferCount() const override { return 0; }

private:
    int m_port = 1;
    std::string m_name;
    std::string m_settings = "9600,N,8,1";
    std::string m_error;
};
