#pragma once

#include <string>

#include "platform/ISerialPort.h"

/// What every serial port keeps alike: the port number, the name chosen in its place, the settings string and
/// why the last open failed. A port adds the line itself and, where a number names its port otherwise than
/// "COM" and the number, `numberedName`.
class SerialPortBase : public ISerialPort {
public:
    void setCommPort(int number) override { m_number = number; }
    int commPort() const override { return m_number; }
    void setPortName(const std::string& name) override { m_name = name; }
    /// The name given, else the one the port number names.
    std::string portName() const override;
    void setSettings(const std::string& settings) override { m_settings = settings; }
    std::string settings() const override { return m_settings; }
    std::string lastError() const override { return m_error; }

protected:
    explicit SerialPortBase(std::string settings = "9600,N,8,1");

    /// The system name of the port that `commPort()` names.
    virtual std::string numberedName() const;

    /// Why the last open failed or the port was lost; empty after a good open.
    std::string m_error;

private:
    int m_number = 1;
    std::string m_name;
    std::string m_settings;
};
