#include "platform/qt/QtSerialPort.h"

#include <QSerialPort>
#include <vector>

#include "platform/SerialSettings.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

QtSerialPort::QtSerialPort() : m_port(std::make_unique<QSerialPort>()) {
    m_devices[1] = "/dev/ttyS0";
    m_devices[2] = "/dev/ttyS1";
    QObject::connect(m_port.get(), &QSerialPort::readyRead, [this] {
        if (OnComm)
            OnComm();
    });
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError error) { errorOccurred(error); });
}

QtSerialPort::~QtSerialPort() {
    m_port->disconnect();
    if (m_port->isOpen())
        m_port->close();
}

void QtSerialPort::setDevicePath(int number, const std::string& path) {
    if (!path.empty())
        m_devices[number] = path;
}

bool QtSerialPort::portsAreDeviceFiles() const {
#ifdef _WIN32
    return false;
#else
    return true;
#endif
}

std::string QtSerialPort::deviceName(int number) const {
#ifdef _WIN32
    return "COM" + std::to_string(number);
#else
    auto it = m_devices.find(number);
    return it != m_devices.end() ? it->second : "/dev/ttyS" + std::to_string(number - 1);
#endif
}

bool QtSerialPort::portOpen() const {
    return m_port->isOpen();
}

bool QtSerialPort::applySettings() {
    const auto settings = SerialSettings::parse(this->settings());
    if (!settings)
        return false;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (settings->parity) {
        case 'E':
            parity = QSerialPort::EvenParity;
            break;
        case 'O':
            parity = QSerialPort::OddParity;
            break;
        case 'M':
            parity = QSerialPort::MarkParity;
            break;
        case 'S':
            parity = QSerialPort::SpaceParity;
            break;
    }
    QSerialPort::StopBits stop = QSerialPort::OneStop;
    if (settings->stopBits == SerialSettings::StopBits::OneAndHalf)
        stop = QSerialPort::OneAndHalfStop;
    else if (settings->stopBits == SerialSettings::StopBits::Two)
        stop = QSerialPort::TwoStop;
    return m_port->setBaudRate(settings->baud) && m_port->setParity(parity) &&
           m_port->setDataBits(static_cast<QSerialPort::DataBits>(settings->dataBits)) && m_port->setStopBits(stop) &&
           m_port->setFlowControl(QSerialPort::NoFlowControl);
}

void QtSerialPort::requestLowLatency() {
    m_lowLatency = false;
#ifdef __linux__
    serial_struct serial{};
    int fd = static_cast<int>(m_port->handle());
    if (fd < 0 || ::ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return;
    serial.flags |= ASYNC_LOW_LATENCY;
    m_lowLatency = ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
#endif
}

bool QtSerialPort::setPortOpen(bool open) {
    if (!open) {
        if (m_port->isOpen())
            m_port->close();
        return true;
    }
    if (m_port->isOpen())
        return true;
    const std::string name = portName();
    m_port->setPortName(QString::fromStdString(name));
    if (!m_port->open(QIODevice::ReadWrite)) {
        switch (m_port->error()) {
            case QSerialPort::DeviceNotFoundError:
                m_error = name + " does not exist";
                break;
            case QSerialPort::PermissionError:
                m_error = name + ": permission denied or in use by another program";
#ifdef __linux__
                m_error += " (to be allowed to use serial ports, join the \"dialout\" group and log in again)";
#endif
                break;
            default:
                m_error = name + ": " + m_port->errorString().toStdString();
                break;
        }
        return false;
    }
    if (!applySettings()) {
        m_port->close();
        m_error = name + ": the port does not take the settings " + settings();
        return false;
    }
    requestLowLatency();
    m_port->clear();
    m_error.clear();
    return true;
}

void QtSerialPort::errorOccurred(int error) {
    // Errors of calls made on a closed port, and the reset to NoError at each open, say nothing of the line.
    if (!m_port->isOpen())
        return;
    std::string cause;
    switch (error) {
        case QSerialPort::ResourceError:
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError:
        case QSerialPort::WriteError:
            cause = m_port->errorString().toStdString();
            break;
        case QSerialPort::ReadError:
            // A read that ends with no byte is a hang-up; the system's text is then a stale one.
            cause = "the line was hung up";
            break;
        case QSerialPort::UnknownError:
            if (OnError)
                OnError(portName() + ": " + m_port->errorString().toStdString());
            return;
        default:
            return;
    }
    // Closed before anyone hears of it, so that a read waiting on the port ends at once.
    m_port->close();
    m_error = portName() + ": " + cause;
    if (OnError)
        OnError(m_error);
}

void QtSerialPort::output(const std::vector<std::uint8_t>& bytes) {
    if (!m_port->isOpen())
        return;
    m_port->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    m_port->flush();
}

std::vector<std::uint8_t> QtSerialPort::input() {
    QByteArray data = m_port->readAll();
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

int QtSerialPort::inBufferCount() const {
    return static_cast<int>(m_port->bytesAvailable());
}
