#pragma once

#include "platform/ISerialPortList.h"

/// The ports Qt's port information finds: "COM3" ... on Windows, device paths such as /dev/ttyUSB0 and
/// /dev/ttyACM0 elsewhere, each with the description and maker its driver gives.
class QtSerialPortList : public ISerialPortList {
public:
    std::vector<Port> availablePorts() const override;
};
