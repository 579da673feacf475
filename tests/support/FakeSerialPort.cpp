#include "support/FakeSerialPort.h"

#include "support/FakeEventPump.h"

bool FakeSerialPort::setPortOpen(bool open) {
    if (!open) {
        m_open = false;
        m_in.clear();
        return true;
    }
    openedNames.push_back(portName());
    if (!m_failReason.empty()) {
        m_error = m_failReason;
        return false;
    }
    m_open = true;
    m_error.clear();
    ++opens;
    return true;
}

void FakeSerialPort::output(const std::vector<std::uint8_t>& bytes) {
    if (!m_open)
        return;
    if (m_vanishInWrite && m_vanishAfter == static_cast<int>(written.size())) {
        m_vanishAfter = -1;
        vanish(m_vanishReason);
        return;
    }
    written.push_back(bytes);
    if (!m_vanishInWrite && m_vanishAfter == static_cast<int>(written.size())) {
        m_vanishAfter = -1;
        m_pump.post([this] { vanish(m_vanishReason); });
        return;
    }
    if (stallWrites || !peer)
        return;
    auto reply = peer(bytes);
    if (!reply.empty())
        feed(reply);
}

void FakeSerialPort::vanish(const std::string& reason) {
    if (!m_open)
        return;
    m_open = false;
    m_in.clear();
    m_error = portName() + ": " + reason;
    if (OnError)
        OnError(m_error);
}

std::vector<std::uint8_t> FakeSerialPort::input() {
    std::vector<std::uint8_t> bytes;
    bytes.swap(m_in);
    return bytes;
}

void FakeSerialPort::feed(const std::vector<std::uint8_t>& bytes) {
    m_pump.post([this, bytes] {
        if (!m_open)
            return;
        m_in.insert(m_in.end(), bytes.begin(), bytes.end());
        if (OnComm)
            OnComm();
    });
}

std::vector<std::uint8_t> FakeSerialPort::writtenBytes() const {
    std::vector<std::uint8_t> all;
    for (const auto& frame : written)
        all.insert(all.end(), frame.begin(), frame.end());
    return all;
}
