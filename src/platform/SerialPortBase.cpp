#include "platform/SerialPortBase.h"

#include <utility>

SerialPortBase::SerialPortBase(std::string settings) : m_settings(std::move(settings)) {}

std::string SerialPortBase::portName() const {
    return m_name.empty() ? numberedName() : m_name;
}

std::string SerialPortBase::numberedName() const {
    return "COM" + std::to_string(m_number);
}
