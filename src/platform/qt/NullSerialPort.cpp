#include "platform/qt/NullSerialPort.h"

bool NullSerialPort::setPortOpen(bool open) {
    if (!open)
        return true;
    m_error = "COM" + std::to_string(m_port) + ": serial ports are not supported by this build";
    return false;
}
