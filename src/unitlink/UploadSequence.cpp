#include "unitlink/UploadSequence.h"

#include <exception>

#include "editor/Formats.h"
#include "editor/StoredSize.h"
#include "editor/WaveHeader.h"
#include "platform/Platform.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/IConnection.h"
#include "unitlink/ILinkEvents.h"
#include "unitlink/IUploadEvents.h"
#include "unitlink/ProgressEstimate.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UnitContentCheck.h"
#include "unitlink/UploadImage.h"

namespace {

constexpr std::int32_t kEraseAll = 0x3FFFFF;
constexpr std::int32_t kEraseLowerHalf = 0x1FFFFF;

}  // namespace

UploadOutcome UploadSequence::send(const MessageSet& set) {
    m_parts.image.setMessageSet(set);
    m_parts.image.clearStop();
    m_running = true;
    m_unitChanged = false;
    m_parts.link.trace().uploadStarted();
    m_upload.uploadStarted();
    m_parts.link.clearOutcome();
    // The user who connected first keeps the connection: the upload uses it and leaves it open.
    const bool connected = m_parts.platform.serial.portOpen();
    UploadOutcome outcome;
    try {
        outcome = run(connected);
    } catch (const std::exception&) {
        outcome = UploadOutcome::failed(UploadOutcome::Step::Upload);
    }
    if (stopping() && !outcome.succeeded())
        outcome = UploadOutcome::stopped(m_unitChanged);
    m_running = false;
    m_upload.uploadFinished(outcome);
    if (!connected)
        m_parts.connection.disconnect();
    m_upload.uploadEnded();
    m_parts.link.trace().uploadEnded();
    return outcome;
}

const MessageSet& UploadSequence::set() const {
    return m_parts.image.messageSet();
}

UploadOutcome UploadSequence::failed(UploadOutcome::Step step) const {
    return UploadOutcome::failed(step, m_parts.link.lastOutcome());
}

void UploadSequence::requestStop() {
    if (m_running)
        m_parts.image.requestStop();
}

bool UploadSequence::stopping() const {
    return m_parts.image.stopRequested();
}

bool UploadSequence::lineLost() const {
    return !m_parts.platform.serial.portOpen();
}

std::optional<UploadOutcome> UploadSequence::fileNotReady() {
    const IFileSystem& fs = m_parts.platform.fs;
    for (int i = 1; i <= MessageSet::kSlots; ++i) {
        if (set().WaveFile[i].empty())
            continue;
        const std::string path = Formats::trimmed(set().FilePath[i]);
        auto source = fs.exists(path) ? fs.openRead(path) : nullptr;
        // A file cut short after it was chosen (or in a set saved before such files were refused) would send
        // the unit less sound than its tables announce.
        const WaveHeader header = source ? ReadWaveHeader(*source) : WaveHeader{};
        const bool damaged = header.verdict == WaveVerdict::CutShort || header.verdict == WaveVerdict::NoSound;
        // A file replaced behind the editor's back would go out with sizes the tables do not know.
        if (source && !damaged && source->size() <= kMaxFileLength &&
            storedSize(static_cast<std::uint32_t>(source->size())) == set().TMsgSize[i])
            continue;
        m_parts.image.MsgAddress[i] = -1;
        return UploadOutcome::fileNotReady(i, path, damaged ? header : WaveHeader{});
    }
    return std::nullopt;
}

UploadOutcome UploadSequence::run(bool connected) {
    using Step = UploadOutcome::Step;
    SerialLink& link = m_parts.link;
    UploadImage& image = m_parts.image;

    // Nothing reaches the unit before every file is known to be there: an erase followed by a missing file
    // would leave the unit with no messages at all.
    if (auto notReady = fileNotReady())
        return *notReady;
    if (!connected) {
        m_parts.connection.connect();
        if (lineLost())
            return UploadOutcome::failed(Step::Connect,
                                         {LinkOutcome::Kind::PortNotOpened, m_parts.platform.serial.lastError()});
    }
    image.MsgAddress.fill(0);
    m_upload.messagesPlaced(0, -1);
    link.resetRing();

    const bool full = fullUploadNeeded();
    if (stopping())
        return failed(Step::Upload);
    if (lineLost() || !link.CommandDo(SerialLink::kUnit, 'P') || stopping())
        return failed(Step::Upload);
    // From the first erase on, the unit no longer holds its old set whole.
    m_unitChanged = true;
    if (!full) {
        if (image.WriteTrgMsgTab())
            return UploadOutcome::done(UploadOutcome::Result::ConfigurationDone);
        return failed(Step::Configuration);
    }
    return fullUpload();
}

bool UploadSequence::fullUploadNeeded() {
    UploadImage& image = m_parts.image;
    if (!set().MsgUnchanged || !image.ReadMsgTab() || image.MsgTabBlank)
        return true;
    for (int i = 1; i <= MessageSet::kSlots; ++i)
        if (set().TMsgSize[i] != image.UnitMsgSize[i])
            return true;
    // Equal sizes are no proof: a file re-recorded or trimmed to the same length keeps its size.
    return !UnitContentCheck(image).unitHoldsSet();
}

UploadOutcome UploadSequence::fullUpload() {
    using Step = UploadOutcome::Step;
    SerialLink& link = m_parts.link;
    UploadImage& image = m_parts.image;

    for (std::int32_t address : {kEraseAll, kEraseLowerHalf}) {
        m_parts.erase.EraseData(address);
        if (link.Status != SerialLink::kAck || stopping())
            return failed(Step::Erase);
    }

    image.WriteAddress = 0;
    link.resetRing();
    image.EndAddress = 0;
    image.MsgNumber = 0;
    m_upload.progressStarted(set().TFileLength);
    image.BytesSent = 1;
    ClockSeconds = 1;

    if (!sendSlots() || stopping() || !image.rewriteTables())
        return failed(Step::Upload);
    return UploadOutcome::done(UploadOutcome::Result::FullUploadDone);
}

bool UploadSequence::sendSlots() {
    UploadImage& image = m_parts.image;
    for (int i = 1; i <= MessageSet::kSlots; ++i) {
        if (stopping())
            return false;
        const std::string& name = set().WaveFile[i];
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
            m_upload.messagesPlaced(image.EndAddress, image.MsgNumber);
        }
    }
    return true;
}

void UploadSequence::ProgressStep() {
    UploadImage& image = m_parts.image;
    const std::int32_t total = set().TFileLength;
    ++ClockSeconds;
    if (total == 0)
        return;
    if (image.BytesSent > total)
        image.BytesSent = total;
    ProgressEstimate estimate{Percent, RemainingSeconds};
    estimate.update(image.BytesSent, total, ClockSeconds);
    Percent = estimate.percent;
    RemainingSeconds = estimate.remainingSeconds;
    m_upload.progressTime(Percent, RemainingSeconds);
}
