#pragma once

#include "platform/ISerialPortList.h"

/// The serial ports Windows has registered for the devices present now ("COM1", "COM5" ...), as its
/// device map lists them; the map holds no description or maker.
class Win32SerialPortList : public ISerialPortList {
public:
    std::vector<Port> availablePorts() const override;
};
