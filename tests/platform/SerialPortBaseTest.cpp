// What every serial port keeps alike: the name the next open uses, from the name chosen or else the port
// number, and the settings string.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/null/NullSerialPort.h"

namespace {

/// A port whose numbers name device files, as the Qt port's do outside Windows.
class DevicePort : public NullSerialPort {
protected:
    std::string numberedName() const override { return "/dev/ttyS" + std::to_string(commPort() - 1); }
};

TEST(SerialPortBase, portName_isTheNameChosenElseTheOneTheNumberNames) {
    struct Case {
        int number;
        std::string chosen;
        std::string named;        ///< where numbers name COM ports
        std::string deviceNamed;  ///< where numbers name device files
    };
    const std::vector<Case> cases = {
        {1, "", "COM1", "/dev/ttyS0"},
        {12, "", "COM12", "/dev/ttyS11"},
        {2, "/dev/ttyUSB0", "/dev/ttyUSB0", "/dev/ttyUSB0"},
        {3, "COM7", "COM7", "COM7"},
    };
    for (const Case& c : cases) {
        NullSerialPort port;
        DevicePort device;
        for (ISerialPort* p : {static_cast<ISerialPort*>(&port), static_cast<ISerialPort*>(&device)}) {
            p->setCommPort(c.number);
            p->setPortName(c.chosen);
            EXPECT_EQ(p->commPort(), c.number);
        }
        EXPECT_EQ(port.portName(), c.named) << c.number;
        EXPECT_EQ(device.portName(), c.deviceNamed) << c.number;
    }
}

TEST(SerialPortBase, emptyName_givesTheChoiceBackToTheNumber) {
    NullSerialPort port;
    port.setCommPort(2);
    port.setPortName("COM9");
    port.setPortName("");
    EXPECT_EQ(port.portName(), "COM2");
}

TEST(SerialPortBase, settings_9600N81UntilSet) {
    NullSerialPort port;
    EXPECT_EQ(port.settings(), "9600,N,8,1");
    port.setSettings("115200,N,8,2");
    EXPECT_EQ(port.settings(), "115200,N,8,2");
    EXPECT_EQ(port.lastError(), "");
}

}  // namespace
