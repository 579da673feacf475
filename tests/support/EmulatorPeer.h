#pragma once

#include "EmulatedUnit.h"
#include "support/FakeSerialPort.h"

/// Wires the emulated unit in-process to a FakeSerialPort: every frame the program outputs goes to `unit`,
/// and what the unit answers arrives at the port as received bytes. Unwires itself when destroyed.
class EmulatorPeer {
public:
    explicit EmulatorPeer(FakeSerialPort& port, UnitFaults faults = {});
    ~EmulatorPeer();
    EmulatorPeer(const EmulatorPeer&) = delete;
    EmulatorPeer& operator=(const EmulatorPeer&) = delete;

    EmulatedUnit unit;

private:
    FakeSerialPort& m_port;
};
