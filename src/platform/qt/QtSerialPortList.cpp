#include "platform/qt/QtSerialPortList.h"

#include <QSerialPortInfo>

std::vector<ISerialPortList::Port> QtSerialPortList::availablePorts() const {
    std::vector<Port> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        // Device files are opened by their path; Windows names its ports ("COM5") and its locations are
        // internal ("\\.\COM5").
        const QString location = info.systemLocation();
        const QString name = location.startsWith('/') ? location : info.portName();
        ports.push_back({name.toStdString(), info.description().trimmed().toStdString(),
                         info.manufacturer().trimmed().toStdString()});
    }
    return ports;
}
