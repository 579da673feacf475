#include "platform/null/NullSerialPort.h"

bool NullSerialPort::setPortOpen(bool open) {
    if (!open)
        return true;
    m_error = portName() + ": serial ports are not supported by this build";
    return false;
}
