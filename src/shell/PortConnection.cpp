#include "shell/PortConnection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/Formats.h"
#include "shell/MDIKVT3310.h"
#include "unitlink/ILinkEvents.h"
#include "unitlink/SerialLink.h"

namespace {

constexpr int kSecondsPerDay = 24 * 3600;

}  // namespace

PortConnection::PortConnection(Form1& form, MDIKVT3310& mdi, SerialLink& link)
    : m_form(form), m_mdi(mdi), m_link(link), m_timer1(form.platform().events.createTimer()) {
    m_timer1->setInterval(1000);
    m_timer1->Timer = [this] { Timer1_Timer(); };
    m_form.imgNotConnected.Click = [this] { imgNotConnected_Click(); };
    m_form.imgConnected.Click = [this] { imgConnected_Click(); };
    m_form.platform().serial.OnComm = [this] { MSComm1_OnComm(); };
    m_form.platform().serial.OnError = [this](const std::string& reason) { portFault(reason); };
    m_mdi.Com1.Click = [this] { Com1_Click(); };
    m_mdi.Com2.Click = [this] { Com2_Click(); };
    m_mdi.Comport.Click = [this] { Comport_Click(); };
}

PortConnection::~PortConnection() {
    m_timer1->Timer = nullptr;
    m_form.platform().serial.OnComm = nullptr;
    m_form.platform().serial.OnError = nullptr;
    m_mdi.Com1.Click = nullptr;
    m_mdi.Com2.Click = nullptr;
    m_mdi.Comport.Click = nullptr;
    for (auto& item : m_mdi.PortItems)
        item->Click = nullptr;
}

std::string PortConnection::device() const {
    // A port chosen from the system's list is opened by its name, whatever the number says.
    if (!m_link.settings.PortName.empty())
        return m_link.settings.PortName;
    if (!m_form.platform().serial.portsAreDeviceFiles())
        return {};
    const int number = m_form.platform().serial.commPort();
    return number == 1 ? m_link.settings.Com1Device : number == 2 ? m_link.settings.Com2Device : std::string();
}

void PortConnection::showPortPanel(const std::string& detail) {
    m_form.sbrStatus.setPanelText(2, Formats::trimmed(m_form.StatusText[kStatusPortCaption]) + " " + detail);
}

void PortConnection::showOpenFailure() {
    std::string reason = m_form.platform().serial.lastError();
    m_link.trace().portOpenFailed(m_form.platform().serial.commPort(), device(), reason);
    m_link.events().statusChanged({StatusEvent::Kind::NotConnected, reason});
}

void PortConnection::showClosed() {
    m_link.trace().portClosed();
    showPortPanel("");
    m_form.imgConnected.setVisible(false);
    m_form.imgNotConnected.setVisible(true);
    StopClock();
}

void PortConnection::imgNotConnected_Click() {
    ISerialPort& port = m_form.platform().serial;
    if (port.portOpen()) {
        // The user was connected when an upload started: the upload must not share the line.
        port.setPortOpen(false);
        showClosed();
        m_form.platform().msgBox.Beep();
        m_form.platform().msgBox.MsgBox(m_form.MsgText[kMsgUploadInProgress], IMessageBox::vbOKOnly, m_form.Caption);
        return;
    }
    preparePort();
    port.setSettings(m_link.settings.portSettings());
    if (!port.setPortOpen(true)) {
        showOpenFailure();
        return;
    }
    m_form.imgNotConnected.setVisible(false);
    m_form.imgConnected.setVisible(true);
    m_link.resetRing();
    m_link.resetTxFrame();
    m_link.trace().portOpened(port.commPort(), device(), port.settings());
    // The port as the system names it, also when it was chosen by number.
    showPortPanel(port.portName() + " / " + port.settings());
    StartClock();
}

void PortConnection::imgConnected_Click() {
    ISerialPort& port = m_form.platform().serial;
    // A port that closed itself when it was lost still shows open until this runs.
    if (!port.portOpen() && !m_form.imgConnected.visible())
        return;
    if (port.portOpen())
        port.setPortOpen(false);
    showClosed();
    MDIKVT3310& mdi = m_mdi;
    mdi.File.setEnabled(true);
    mdi.Setup.setEnabled(true);
    m_form.Bt_SendMessage.setEnabled(true);
}

void PortConnection::portFault(const std::string& reason) {
    m_link.trace().portFault(reason);
    // A port that failed has closed itself: the display follows at once, and says why, even with no exchange
    // under way to notice it.
    if (m_form.platform().serial.portOpen() || !m_form.imgConnected.visible())
        return;
    imgConnected_Click();
    m_link.events().statusChanged({StatusEvent::Kind::PortLost, reason});
}

void PortConnection::MSComm1_OnComm() {
    try {
        ISerialPort& port = m_form.platform().serial;
        if (port.inBufferCount() == 0)
            return;
        auto bytes = port.input();
        m_link.receive(bytes.data(), bytes.size());
    } catch (const std::exception&) {
        // The bytes of this notification are lost; the waiting read times out.
    }
}

void PortConnection::StartClock() {
    ConnectStart = m_form.platform().clock.secondsOfDay();
    m_timer1->setEnabled(true);
}

void PortConnection::StopClock() {
    m_timer1->setEnabled(false);
    m_form.sbrStatus.setPanelText(3, "");
    m_form.Lb_Percentage.setCaption("");
    m_form.ProgressBar1.setVisible(false);
}

void PortConnection::Timer1_Timer() {
    double elapsed = m_form.platform().clock.secondsOfDay() - ConnectStart;
    if (elapsed < 0)
        elapsed += kSecondsPerDay;
    int seconds = static_cast<int>(std::floor(elapsed)) % kSecondsPerDay;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d ", seconds / 3600, seconds / 60 % 60, seconds % 60);
    m_form.sbrStatus.setPanelText(3, text);
    if (m_form.ProgressBar1.visible() && ProgressStep)
        ProgressStep();
}

void PortConnection::preparePort() {
    ISerialPort& port = m_form.platform().serial;
    port.setDevicePath(1, m_link.settings.Com1Device);
    port.setDevicePath(2, m_link.settings.Com2Device);
    port.setCommPort(m_link.settings.Commport);
    port.setPortName(m_link.settings.PortName);
}

bool PortConnection::refuseWhileOpen() {
    ISerialPort& port = m_form.platform().serial;
    if (!port.portOpen())
        return false;
    port.setPortOpen(false);
    showClosed();
    m_form.platform().msgBox.MsgBox(m_form.MsgText[kMsgNotConnected], IMessageBox::vbOKOnly, m_mdi.caption());
    return true;
}

void PortConnection::probe() {
    ISerialPort& port = m_form.platform().serial;
    preparePort();
    if (port.setPortOpen(true)) {
        port.setPortOpen(false);
    } else {
        showOpenFailure();
    }
}

void PortConnection::chooseComPort(int number) {
    if (refuseWhileOpen())
        return;
    m_link.settings.Commport = static_cast<std::int16_t>(number);
    m_link.settings.PortName.clear();
    probe();
    markChoice();
}

void PortConnection::PortItem_Click(const std::string& name) {
    if (refuseWhileOpen())
        return;
    m_link.settings.PortName = name;
    probe();
    markChoice();
}

void PortConnection::showTips() {
    const LinkSettings& chosen = m_link.settings;
    const std::string port = chosen.PortName.empty() ? "COM" + std::to_string(chosen.Commport) : chosen.PortName;
    const std::string path = device();
    const std::string where = path.empty() || path == port ? port : port + " (" + path + ")";
    auto tip = [&where](std::string text) {
        if (auto at = text.find("%1"); at != std::string::npos)
            text.replace(at, 2, where);
        return text;
    };
    m_form.imgNotConnected.setToolTipText(tip(m_form.ConnectTipText));
    m_form.imgConnected.setToolTipText(tip(m_form.DisconnectTipText));
}

void PortConnection::markChoice() {
    showTips();
    MDIKVT3310& mdi = m_mdi;
    const bool byNumber = m_link.settings.PortName.empty();
    mdi.Com1.setChecked(byNumber && m_link.settings.Commport == 1);
    mdi.Com2.setChecked(byNumber && m_link.settings.Commport != 1);
    for (auto& item : mdi.PortItems)
        item->setChecked(!byNumber && item->Tag == m_link.settings.PortName);
}

void PortConnection::Comport_Click() {
    std::vector<ISerialPortList::Port> ports = m_form.platform().ports.availablePorts();
    const bool chosenListed = std::any_of(
        ports.begin(), ports.end(), [&](const ISerialPortList::Port& p) { return p.name == m_link.settings.PortName; });
    // A chosen adapter that is unplugged stays in view, so the menu shows what the next connect opens.
    if (!m_link.settings.PortName.empty() && !chosenListed)
        ports.push_back({m_link.settings.PortName, "", ""});

    MDIKVT3310& mdi = m_mdi;
    mdi.PortItems.clear();
    for (const ISerialPortList::Port& p : ports) {
        auto item = std::make_unique<MenuItem>();
        std::string caption = p.name;
        if (!p.description.empty())
            caption += " - " + p.description;
        if (!p.manufacturer.empty() && p.manufacturer != p.description)
            caption += " (" + p.manufacturer + ")";
        item->setCaption(caption);
        item->Tag = p.name;
        item->Click = [this, name = p.name] { PortItem_Click(name); };
        mdi.PortItems.push_back(std::move(item));
    }
    markChoice();
    mdi.portItemsChanged.emit();
}
