#pragma once

#include <vector>

#include "platform/ISerialPortList.h"

/// The ports the system reports, as a test sets them: `ports` is returned as it stands at each call, so a
/// test plugs an adapter in by adding to it. `calls` counts the look-ups.
class FakeSerialPortList : public ISerialPortList {
public:
    std::vector<Port> availablePorts() const override {
        ++calls;
        return ports;
    }

    std::vector<Port> ports;
    mutable int calls = 0;
};
