#include "unitlink/UploadSequence.h"

#include <cmath>
#include <cstdio>
#include <exception>

#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/StoredSize.h"
#include "shell/MDIKVT3310.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/PortConnection.h"
#include "unitlink/SerialLink.h"
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
    link.clearFailure();
    // The user who connected first keeps the connection: the upload uses it and leaves it open.
    const bool connected = f.platform().serial.portOpen();
    try {
        run(connected);
    } catch (const std::exception&) {
        link.ShowStatus(kStatusUploadFailed);
    }
    if (connected) {
        f.ProgressBar1.setVisible(false);
        f.Lb_Percentage.setCaption("");
    } else {
        f.connection().imgConnected_Click();
        f.connection().StopClock();
    }
    link.holdWindow(false);
    f.mdi().setEnabled(true);
    f.platform().screen.setMousePointer(IScreen::vbDefault);
}

void UploadSequence::showFailure(int index) {
    Form1& f = m_form;
    SerialLink& link = f.link();
    std::string reason;
    switch (link.lastFailure()) {
        case SerialLink::Failure::None:
            break;
        case SerialLink::Failure::PortClosed:
            reason = f.StatusText[kStatusNotConnected];
            break;
        case SerialLink::Failure::NoAnswer:
            reason = f.LinkText[kLinkNoAnswer];
            break;
        case SerialLink::Failure::Refused:
            reason = f.LinkText[kLinkRefused];
            break;
        case SerialLink::Failure::Malformed:
            reason = f.LinkText[kLinkMalformed];
            break;
    }
    const std::string text = SerialLink::trimmed(f.StatusText.at(index));
    link.ShowStatusText(reason.empty() ? text : text + " " + SerialLink::trimmed(reason));
}

bool UploadSequence::lineLost() const {
    return !m_form.platform().serial.portOpen();
}

bool UploadSequence::filesReady() {
    Form1& f = m_form;
    const IFileSystem& fs = f.platform().fs;
    for (int i = 1; i <= Form1::kSlots; ++i) {
        if (f.WaveFile[i].text().empty())
            continue;
        const std::string path = SerialLink::trimmed(f.FilePath[i]);
        auto source = fs.exists(path) ? fs.openRead(path) : nullptr;
        // A file replaced behind the editor's back would go out with sizes the tables do not know.
        if (source && source->size() <= kMaxFileLength &&
            storedSize(static_cast<std::uint32_t>(source->size())) == f.TMsgSize[i])
            continue;
        f.image().MsgAddress[i] = -1;
        f.link().ShowStatus(kStatusUploadFailed);
        f.platform().msgBox.Beep();
        f.platform().msgBox.MsgBox(f.MsgText[kMsgPathIncorrect] + "\n\n" + std::to_string(i) + ": " + path,
                                   IMessageBox::vbOKOnly, f.Caption);
        return false;
    }
    return true;
}

void UploadSequence::run(bool connected) {
    Form1& f = m_form;
    SerialLink& link = f.link();
    UploadImage& image = f.image();

    // Nothing reaches the unit before every file is known to be there: an erase followed by a missing file
    // would leave the unit with no messages at all.
    if (!filesReady())
        return;
    if (!connected) {
        f.connection().imgNotConnected_Click();
        if (lineLost()) {
            const std::string reason = f.platform().serial.lastError();
            link.ShowStatusText(SerialLink::trimmed(f.StatusText[kStatusUploadFailed]) + " " +
                                SerialLink::trimmed(f.LinkText[kLinkPortNotOpened]) +
                                (reason.empty() ? "" : " " + reason));
            return;
        }
    }
    image.MsgAddress.fill(0);
    f.LastAddress.setText("");
    f.MsgNum.setText("");
    link.resetRing();

    const bool full = fullUploadNeeded();
    if (lineLost() || !link.CommandDo(SerialLink::kUnit, 'P')) {
        showFailure(kStatusUploadFailed);
        return;
    }
    if (!full) {
        if (image.WriteTrgMsgTab())
            link.ShowStatus(kStatusConfigDone);
        else
            showFailure(kStatusConfigFailed);
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

    for (std::int32_t address : {kEraseAll, kEraseLowerHalf}) {
        f.erase().EraseData(address);
        if (link.Status != SerialLink::kAck) {
            showFailure(kStatusEraseFailed);
            return;
        }
    }

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

    if (!sendSlots()) {
        showFailure(kStatusUploadFailed);
        return;
    }
    if (!image.rewriteTables()) {
        showFailure(kStatusUploadFailed);
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
