#pragma once

#include <string>
#include <vector>

/// The serial ports the system reports, as a user would pick one.
class ISerialPortList {
public:
    struct Port {
        /// What opens the port: "COM5" on Windows, the device path ("/dev/ttyUSB0") elsewhere.
        std::string name;
        std::string description;
        std::string manufacturer;
    };

    virtual ~ISerialPortList() = default;
    /// The ports present now, in the order the system gives them.
    virtual std::vector<Port> availablePorts() const = 0;
};
