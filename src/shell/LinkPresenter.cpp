#include "shell/LinkPresenter.h"

#include <algorithm>
#include <cstdio>

#include "editor/FileFaults.h"
#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/Formats.h"
#include "shell/MDIKVT3310.h"
#include "unitlink/IConnection.h"
#include "unitlink/SerialLink.h"

namespace {

std::string trimmed(const std::string& text) {
    return Formats::trimmed(text);
}

std::string withNumber(std::string text, const std::string& number) {
    if (auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, number);
    return text;
}

}  // namespace

std::string LinkPresenter::statusText(const StatusEvent& event) const {
    using Kind = StatusEvent::Kind;
    const auto& texts = m_form.StatusText;
    switch (event.kind) {
        case Kind::NotConnected:
            return trimmed(texts[kStatusNotConnected]) + (event.detail.empty() ? "" : " " + event.detail);
        case Kind::Uploading:
            return event.detail + " " + trimmed(texts[kStatusUploading]);
        case Kind::UploadDone:
            return texts[kStatusUploadDone];
        case Kind::UploadFailed:
            return texts[kStatusUploadFailed];
        case Kind::ReadFailed:
            return texts[kStatusReadFailed];
        case Kind::Checking:
            return texts[kStatusChecking];
        case Kind::Checked:
            return texts[kStatusChecked];
        case Kind::CheckFailed:
            return texts[kStatusCheckFailed];
        case Kind::Erasing:
            return texts[kStatusErasing];
        case Kind::Erased:
            return texts[kStatusErased];
        case Kind::EraseFailed:
            return texts[kStatusEraseFailed];
        case Kind::ReadDone:
            return m_form.LinkText[kLinkReadDone];
        case Kind::PortLost:
            return portLostText(event.detail);
        case Kind::ReadingBack:
            return withNumber(m_form.ReadBackText[kReadBackReading], event.detail);
    }
    return {};
}

std::string LinkPresenter::reasonText(const LinkOutcome& outcome) const {
    const Form1& f = m_form;
    switch (outcome.kind) {
        case LinkOutcome::Kind::Success:
            return {};
        case LinkOutcome::Kind::Refused:
            return f.LinkText[kLinkRefused];
        case LinkOutcome::Kind::NoAnswer:
            return f.LinkText[kLinkNoAnswer];
        case LinkOutcome::Kind::InvalidReply:
            return f.LinkText[kLinkMalformed];
        case LinkOutcome::Kind::PortLost:
            return portLostText(outcome.reason);
        case LinkOutcome::Kind::PortNotOpened:
            return trimmed(f.LinkText[kLinkPortNotOpened]) + (outcome.reason.empty() ? "" : " " + outcome.reason);
    }
    return {};
}

std::string LinkPresenter::portLostText(const std::string& reason) const {
    return trimmed(m_form.PortLostText) + (reason.empty() ? "" : " " + reason);
}

std::string LinkPresenter::failureText(int index, const LinkOutcome& link) const {
    const std::string text = trimmed(m_form.StatusText[static_cast<std::size_t>(index)]);
    const std::string reason = reasonText(link);
    return reason.empty() ? text : text + " " + trimmed(reason);
}

std::string LinkPresenter::statusText(const UploadOutcome& outcome) const {
    using Step = UploadOutcome::Step;
    switch (outcome.result) {
        case UploadOutcome::Result::FullUploadDone:
            return m_form.StatusText[kStatusUploadDone];
        case UploadOutcome::Result::ConfigurationDone:
            return m_form.StatusText[kStatusConfigDone];
        case UploadOutcome::Result::Stopped:
            return trimmed(m_form.StatusText[kStatusUploadFailed]) + " " +
                   m_form.StoppedText[outcome.unitChanged ? 1 : 0];
        case UploadOutcome::Result::Failed:
            break;
    }
    switch (outcome.failedStep) {
        case Step::Erase:
            return failureText(kStatusEraseFailed, outcome.link);
        case Step::Configuration:
            return failureText(kStatusConfigFailed, outcome.link);
        default:
            return failureText(kStatusUploadFailed, outcome.link);
    }
}

std::string LinkPresenter::statusText(const ReadBackOutcome& outcome, std::size_t messages) const {
    using Step = ReadBackOutcome::Step;
    const auto& texts = m_form.ReadBackText;
    switch (outcome.result) {
        case ReadBackOutcome::Result::Done:
            return withNumber(texts[kReadBackDone], std::to_string(messages));
        case ReadBackOutcome::Result::Stopped:
            return texts[kReadBackStopped];
        case ReadBackOutcome::Result::Failed:
            break;
    }
    const std::string failed = trimmed(texts[kReadBackFailed]) + " ";
    if (outcome.failedStep == Step::NoSet)
        return failed + texts[kReadBackNoSet];
    if (outcome.failedStep == Step::Tables && outcome.link.ok())
        return failed + texts[kReadBackTables];
    // A unit that answers for its tables but not for its first message will not give its messages at all.
    if (outcome.failedStep == Step::Message && messages == 0 && outcome.link.kind == LinkOutcome::Kind::Refused)
        return failed + texts[kReadBackRefused];
    return failed + trimmed(reasonText(outcome.link));
}

std::string LinkPresenter::progressText(std::int32_t percent, const std::string& remainingText, std::int32_t seconds) {
    std::string label = remainingText;
    label.erase(label.find_last_not_of(' ') + 1);
    char time[32];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return std::to_string(percent) + label + " " + time;
}

void LinkPresenter::showStatus(const std::string& text) {
    m_form.sbrStatus.setPanelText(1, trimmed(m_form.StatusText[kStatusCaption]) + " " + trimmed(text));
}

void LinkPresenter::traceFileShown(const std::string& path) {
    std::string caption = m_mdi.Trace.caption();
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    showStatus(trimmed(caption) + ": " + path);
}

void LinkPresenter::statusChanged(const StatusEvent& event) {
    showStatus(statusText(event));
}

void LinkPresenter::readFailed() {
    if (m_connection)
        m_connection->disconnect();
    if (m_uploadRunning)
        return;
    m_mdi.setEnabled(true);
    m_form.platform().screen.setMousePointer(IScreen::vbDefault);
}

void LinkPresenter::byteRead(int dataOutPoint, std::uint8_t inputCheckSum) {
    m_form.txtDataOutPoint.setText(std::to_string(dataOutPoint));
    m_form.txtInputCheckSum.setText(std::to_string(inputCheckSum));
}

void LinkPresenter::messageStored(int slot, std::int32_t storedBytes) {
    m_form.TMsgSize[slot] = storedBytes;
    m_form.MsgSize[slot].setCaption(Formats::integer(storedBytes / 1000));
}

void LinkPresenter::messagesPlaced(std::int32_t endAddress, std::int32_t count) {
    m_form.LastAddress.setText(count < 0 ? std::string() : std::to_string(endAddress));
    m_form.MsgNum.setText(count < 0 ? std::string() : std::to_string(count));
}

void LinkPresenter::uploadStarted() {
    m_form.ProgressBar1.setVisible(false);
    m_form.Lb_Percentage.setCaption("");
    m_mdi.setEnabled(false);
    m_form.platform().screen.setMousePointer(IScreen::vbHourglass);
    m_uploadRunning = true;
}

void LinkPresenter::progressStarted(std::int32_t total) {
    ProgressBar& bar = m_form.ProgressBar1;
    bar.setMin(0);
    bar.setMax(total);
    bar.setValue(0);
    bar.setVisible(true);
}

void LinkPresenter::progress(std::int32_t bytesSent) {
    ProgressBar& bar = m_form.ProgressBar1;
    bar.setValue(std::min(bytesSent, bar.max()));
}

void LinkPresenter::progressTime(std::int32_t percent, std::int32_t remainingSeconds) {
    m_form.Lb_Percentage.setCaption(progressText(percent, m_form.StatusText[kStatusRemainingTime], remainingSeconds));
}

void LinkPresenter::uploadFinished(const UploadOutcome& outcome) {
    showStatus(statusText(outcome));
    if (outcome.failedStep != UploadOutcome::Step::FilesNotReady)
        return;
    Form1& f = m_form;
    f.platform().msgBox.Beep();
    if (auto fault =
            FileFaults::wave(f.FileFaultText, outcome.wave, std::to_string(outcome.slot) + ": " + outcome.path)) {
        f.platform().msgBox.MsgBox(*fault, IMessageBox::vbOKOnly, f.Caption);
        return;
    }
    f.platform().msgBox.MsgBox(
        f.MsgText[kMsgPathIncorrect] + "\n\n" + std::to_string(outcome.slot) + ": " + outcome.path,
        IMessageBox::vbOKOnly, f.Caption);
}

void LinkPresenter::traceUnwritable(const std::string& file, const std::string& reason) {
    showStatus(m_form.FileFaultText[kFaultTraceUnwritable] + " " + file + (reason.empty() ? "" : ": " + reason));
}

void LinkPresenter::uploadEnded() {
    m_form.ProgressBar1.setVisible(false);
    m_form.Lb_Percentage.setCaption("");
    m_uploadRunning = false;
    m_mdi.setEnabled(true);
    m_form.platform().screen.setMousePointer(IScreen::vbDefault);
}
