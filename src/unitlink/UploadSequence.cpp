#include "unitlink/UploadSequence.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "editor/Form1.h"
#include "editor/StoredSize.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/ILinkEvents.h"
#include "unitlink/IUploadEvents.h"
#include "unitlink/PortConnection.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UploadImage.h"

namespace {

constexpr std::int32_t kEraseAll = 0x3FFFFF;
constexpr std::int32_t kEraseLowerHalf = 0x1FFFFF;

}  // namespace

UploadSequence::UploadSequence(Form1& form, ILinkEvents& events, IUploadEvents& upload)
    : m_form(form), m_events(events), m_upload(upload) {
    form.Bt_SendMessage.Click = [this] { Bt_SendMessage_Click(); };
    form.connection().ProgressStep = [this] { ProgressStep(); };
}

UploadSequence::~UploadSequence() {
    m_form.Bt_SendMessage.Click = nullptr;
    m_form.connection().ProgressStep = nullptr;
}

UploadOutcome UploadSequence::send() {
    Form1& f = m_form;
    m_upload.uploadStarted();
    f.link().clearOutcome();
    // The user who connected first keeps the connection: the upload uses it and leaves it open.
    const bool connected = f.platform().serial.portOpen();
    UploadOutcome outcome;
    try {
        outcome = run(connected);
    } catch (const std::exception&) {
        outcome = UploadOutcome::failed(UploadOutcome::Step::Upload);
    }
    m_upload.uploadFinished(outcome);
    if (!connected) {
        f.connection().imgConnected_Click();
        f.connection().StopClock();
    }
    m_upload.uploadEnded();
    return outcome;
}

UploadOutcome UploadSequence::failed(UploadOutcome::Step step) const {
    return UploadOutcome::failed(step, m_form.link().lastOutcome());
}

bool UploadSequence::lineLost() const {
    return !m_form.platform().serial.portOpen();
}

std::optional<UploadOutcome> UploadSequence::fileNotReady() {
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
        return UploadOutcome::fileNotReady(i, path);
    }
    return std::nullopt;
}

UploadOutcome UploadSequence::run(bool connected) {
    using Step = UploadOutcome::Step;
    Form1& f = m_form;
    SerialLink& link = f.link();
    UploadImage& image = f.image();

    // Nothing reaches the unit before every file is known to be there: an erase followed by a missing file
    // would leave the unit with no messages at all.
    if (auto notReady = fileNotReady())
        return *notReady;
    if (!connected) {
        f.connection().imgNotConnected_Click();
        if (lineLost())
            return UploadOutcome::failed(Step::Connect,
                                         {LinkOutcome::Kind::PortNotOpened, f.platform().serial.lastError()});
    }
    image.MsgAddress.fill(0);
    f.LastAddress.setText("");
    f.MsgNum.setText("");
    link.resetRing();

    const bool full = fullUploadNeeded();
    if (lineLost() || !link.CommandDo(SerialLink::kUnit, 'P'))
        return failed(Step::Upload);
    if (!full) {
        if (image.WriteTrgMsgTab())
            return UploadOutcome::done(UploadOutcome::Result::ConfigurationDone);
        return failed(Step::Configuration);
    }
    return fullUpload();
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

UploadOutcome UploadSequence::fullUpload() {
    using Step = UploadOutcome::Step;
    Form1& f = m_form;
    SerialLink& link = f.link();
    UploadImage& image = f.image();

    for (std::int32_t address : {kEraseAll, kEraseLowerHalf}) {
        f.erase().EraseData(address);
        if (link.Status != SerialLink::kAck)
            return failed(Step::Erase);
    }

    image.WriteAddress = 0;
    link.resetRing();
    image.EndAddress = 0;
    image.MsgNumber = 0;
    m_upload.progressStarted(f.TFileLength);
    image.BytesSent = 1;
    ClockSeconds = 1;

    if (!sendSlots() || !image.rewriteTables())
        return failed(Step::Upload);
    f.MsgUnchanged = true;
    return UploadOutcome::done(UploadOutcome::Result::FullUploadDone);
}

bool UploadSequence::sendSlots() {
    Form1& f = m_form;
    UploadImage& image = f.image();
    for (int i = 1; i <= Form1::kSlots; ++i) {
        const std::string& name = f.WaveFile[i].text();
        if (!name.empty()) {
            m_events.statusChanged({StatusEvent::Kind::Uploading, name});
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
    m_upload.progressTime(Percent, RemainingSeconds);
}
