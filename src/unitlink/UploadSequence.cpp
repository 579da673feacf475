#include "unitlink/UploadSequence.h"

#include <cmath>
#include <cstdio>
#include <exception>

#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "shell/MDIKVT3310.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/PortConnection.h"
#include "unitlink/SerialLink.h"
#include "unitlink/TableBlocks.h"
#include "unitlink/UploadImage.h"

namespace {

constexpr std::int32_t kEraseAll = 0x3FFFFF;
constexpr std::int32_t kEraseLowerHalf = 0x1FFFFF;

}  // namespace

UploadSequence::UploadSequence(Form1& form) : m_form(form) {
    form.Bt_SendMessage.Click = [this] { Bt_SendMessage_Click(); };
    form.connection().ProgressStep = [this] { ProgressStep(); };
}

UploadSequence::~UploadSequence() {
    m_form.Bt_SendMessage.Click = nullptr;
    m_form.connection().ProgressStep = nullptr;
}

void UploadSequence::Bt_SendMessage_Click() {
    Form1& f = m_form;
    SerialLink& link = f.link();
    f.ProgressBar1.setVisible(false);
    f.Lb_Percentage.setCaption("");
    f.mdi().setEnabled(false);
    f.platform().screen.setMousePointer(IScreen::vbHourglass);
    // A read time-out must not give the window back while this upload still runs to its end.
    link.holdWindow(true);
    try {
        run();
    } catch (const std::exception&) {
        link.ShowStatus(kStatusUploadFailed);
    }
    f.connection().imgConnected_Click();
    f.connection().StopClock();
    link.holdWindow(false);
    f.mdi().setEnabled(true);
    f.platform().screen.setMousePointer(IScreen::vbDefault);
}

void UploadSequence::run() {
    Form1& f = m_form;
    SerialLink& link = f.link();
    UploadImage& image = f.image();

    f.connection().imgNotConnected_Click();
    // A port that did not open (absent, busy, or just closed because the user was connected) can carry
    // nothing: waiting for replies on it would only cost time-outs.
    if (!f.platform().serial.portOpen()) {
        link.ShowStatus(kStatusUploadFailed);
        return;
    }
    image.MsgAddress.fill(0);
    f.LastAddress.setText("");
    f.MsgNum.setText("");
    link.resetRing();

    const bool full = fullUploadNeeded();
    if (!link.CommandDo(SerialLink::kUnit, 'P')) {
        link.ShowStatus(kStatusUploadFailed);
        return;
    }
    if (!full) {
        link.ShowStatus(image.WriteTrgMsgTab() ? kStatusConfigDone : kStatusConfigFailed);
        return;
    }
    fullUpload();
}

bool UploadSequence::fullUploadNeeded() {
    Form1& f = m_form;
    UploadImage& image = f.image();
    if (!f.MsgUnchanged || !image.ReadMsgTab())
        return true;
    for (int i = 1; i <= Form1::kSlots; ++i)
        if (f.TMsgSize[i] != image.UnitMsgSize[i])
            return true;
    return false;
}

void UploadSequence::fullUpload() {
    Form1& f = m_form;
    SerialLink& link = f.link();
    UploadImage& image = f.image();

    f.erase().EraseData(kEraseAll);
    if (link.Status != SerialLink::kAck)
        return;
    f.erase().EraseData(kEraseLowerHalf);
    if (link.Status != SerialLink::kAck)
        return;

    image.WriteAddress = 0;
    link.resetRing();
    image.EndAddress = 0;
    image.MsgNumber = 0;
    f.ProgressBar1.setMin(0);
    f.ProgressBar1.setMax(f.TFileLength);
    f.ProgressBar1.setValue(0);
    f.ProgressBar1.setVisible(true);
    image.BytesSent = 1;
    ClockSeconds = 1;

    if (!sendSlots())
        return;
    if (!link.CommandDo(SerialLink::kUnit, 'W')) {
        link.ShowStatus(kStatusUploadFailed);
        return;
    }
    image.WriteAddress = static_cast<std::int32_t>(TableBlocks::kMsgTabAddress);
    if (link.Status == SerialLink::kAck)
        image.WriteMsgTab();
    image.WriteAddress = static_cast<std::int32_t>(TableBlocks::kTrgTabAddress);
    if (link.Status == SerialLink::kAck)
        image.WriteTrgTab();
    // Without the end frame no reply is coming; waiting for one would only end in a time-out.
    if (link.Status != SerialLink::kAck) {
        link.ShowStatus(kStatusUploadFailed);
        return;
    }
    image.sendEndFrame();
    link.Status = link.CommandRead(SerialLink::kUnit, 'W');
    if (link.Status != SerialLink::kAck) {
        link.ShowStatus(kStatusUploadFailed);
        return;
    }
    if (!link.CommandDo(SerialLink::kUnit, 'L')) {
        link.ShowStatus(kStatusUploadFailed);
        return;
    }
    f.MsgUnchanged = true;
    link.ShowStatus(kStatusUploadDone);
}

bool UploadSequence::sendSlots() {
    Form1& f = m_form;
    SerialLink& link = f.link();
    UploadImage& image = f.image();
    for (int i = 1; i <= Form1::kSlots; ++i) {
        const std::string& name = f.WaveFile[i].text();
        if (!name.empty()) {
            if (!f.platform().fs.exists(SerialLink::trimmed(f.FilePath[i]))) {
                image.MsgAddress[i] = -1;
                link.ShowStatus(kStatusUploadFailed);
                f.platform().msgBox.Beep();
                f.platform().msgBox.MsgBox(f.MsgText[kMsgPathIncorrect], IMessageBox::vbOKOnly, f.Caption);
                return false;
            }
            link.ShowStatusText(name + " " + SerialLink::trimmed(f.StatusText[kStatusUploading]));
            image.MsgAddress[i] = image.WriteAddress;
            if (!image.WriteMsgData(i))
                return false;
        } else {
            image.MsgAddress[i] = -1;
        }
        if (image.WriteAddress != image.EndAddress) {
            ++image.MsgNumber;
            image.EndAddress = image.WriteAddress;
            f.LastAddress.setText(std::to_string(image.EndAddress));
            f.MsgNum.setText(std::to_string(image.MsgNumber));
        }
    }
    return true;
}

std::string UploadSequence::progressText(std::int32_t percent, const std::string& remainingText, std::int32_t seconds) {
    std::string label = remainingText;
    label.erase(label.find_last_not_of(' ') + 1);
    char time[32];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return std::to_string(percent) + label + " " + time;
}

void UploadSequence::ProgressStep() {
    Form1& f = m_form;
    UploadImage& image = f.image();
    ++ClockSeconds;
    if (f.TFileLength == 0)
        return;
    if (image.BytesSent > f.TFileLength)
        image.BytesSent = f.TFileLength;
    Percent = static_cast<std::int32_t>(
        std::nearbyint(static_cast<double>(image.BytesSent) / static_cast<double>(f.TFileLength) * 100.0));
    const std::int32_t rate = image.BytesSent / ClockSeconds;
    if (rate > 0)
        RemainingSeconds = std::max(0, f.TFileLength / rate - ClockSeconds);
    f.Lb_Percentage.setCaption(progressText(Percent, f.StatusText[kStatusRemainingTime], RemainingSeconds));
}
