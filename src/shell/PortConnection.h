#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ITimer.h"
#include "unitlink/IConnection.h"

class Form1;
class MDIKVT3310;
class SerialLink;

/// Opening and closing the serial port from the connection indicator, the connection display (indicator,
/// status bar panels 2 and 3, the once-a-second clock `Timer1`), the receive notification that fills the
/// link's ring, and the choice of port in the main window's menu.
class PortConnection : public IConnection {
public:
    PortConnection(Form1& form, MDIKVT3310& mdi, SerialLink& link);
    ~PortConnection() override;
    PortConnection(const PortConnection&) = delete;
    PortConnection& operator=(const PortConnection&) = delete;

    /// Connect. The upload calls it too.
    void imgNotConnected_Click();
    void connect() override { imgNotConnected_Click(); }
    /// Disconnect and stop the clock, as the upload's end step does.
    void disconnect() override {
        imgConnected_Click();
        StopClock();
    }
    /// Disconnect, while the port is open or still shown open after it was lost. The upload and the link's
    /// read time-out call it too.
    void imgConnected_Click();
    void MSComm1_OnComm();
    /// The port's fault report: traced; a port lost shows closed and the status line says why.
    void portFault(const std::string& reason);
    void StartClock();
    void StopClock();
    void Timer1_Timer();
    void Com1_Click() { chooseComPort(1); }
    void Com2_Click() { chooseComPort(2); }
    /// The port submenu opens: lists below `Com1` and `Com2` every port the system reports, and the port
    /// chosen earlier even while it is absent, each marked when it is the choice.
    void Comport_Click();
    /// A port of the system's list chosen by its name: the same as `Com1_Click`, for that port.
    void PortItem_Click(const std::string& name);

    /// The connection picture's tips name the port chosen, in the language shown.
    void showTips();

    ITimer& Timer1() { return *m_timer1; }

    /// The upload's progress step, run by the clock tick while `ProgressBar1` is visible.
    std::function<void()> ProgressStep;

private:
    void chooseComPort(int number);
    /// Closes an open port on a change of choice; true when it was open (the choice is then refused).
    bool refuseWhileOpen();
    /// Tries the port now chosen, so that a failure is reported about it at once.
    void probe();
    /// Check marks on `Com1`, `Com2` and the listed ports for the current choice.
    void markChoice();
    /// Hands the port the device paths, the number and the name to open.
    void preparePort();
    /// The display of a closed port: indicator, panel 2 and clock. Every way of closing the port ends in it.
    void showClosed();
    /// The device file of the port in use where ports are device files; empty elsewhere.
    std::string device() const;
    void showPortPanel(const std::string& detail);
    void showOpenFailure();

    Form1& m_form;
    MDIKVT3310& m_mdi;
    SerialLink& m_link;
    std::unique_ptr<ITimer> m_timer1;
    /// Seconds of the day at the last connect.
    double ConnectStart = 0;
};
