#include "support/EmulatorPeer.h"

#include <utility>

EmulatorPeer::EmulatorPeer(FakeSerialPort& port, UnitFaults faults) : unit(std::move(faults)), m_port(port) {
    m_port.peer = [this](const std::vector<std::uint8_t>& bytes) { return unit.receive(bytes); };
}

EmulatorPeer::~EmulatorPeer() {
    m_port.peer = nullptr;
}
