#pragma once

#include "platform/SerialPortBase.h"

/// A serial port that is never there: every open fails and says so. Stands in until the real port exists.
class NullSerialPort : public SerialPortBase {
public:
    void setDevicePath(int, const std::string&) override {}
    /// Its numbers name "COM" ports.
    bool portsAreDeviceFiles() const override { return false; }
    bool setPortOpen(bool open) override;
    bool portOpen() const override { return false; }
    void output(const std::vector<std::uint8_t>&) override {}
    std::vector<std::uint8_t> input() override { return {}; }
    int inBufferCount() const override { return 0; }
};
