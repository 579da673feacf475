#pragma once

#include <cstdint>
#include <optional>

#include "editor/MessageSet.h"
#include "unitlink/UploadOutcome.h"

class EraseOperation;
class IConnection;
class ILinkEvents;
class IUploadEvents;
class SerialLink;
class UploadImage;
struct Platform;

/// What the upload button `Bt_SendMessage` runs: connects, decides between a full upload (erase, every wave file, both
/// tables) and a configuration-only upload (both tables), runs it, reports the outcome and disconnects. The
/// window is held from the click to the end step. Also the progress step that the once-a-second clock runs
/// during the data phase. What the window shows is reported to the events; nothing is shown here.
class UploadSequence {
public:
    struct Parts {
        Platform& platform;
        SerialLink& link;
        UploadImage& image;
        EraseOperation& erase;
        IConnection& connection;
    };
    UploadSequence(const Parts& parts, ILinkEvents& events, IUploadEvents& upload)
        : m_parts(parts), m_events(events), m_upload(upload) {}
    UploadSequence(const UploadSequence&) = delete;
    UploadSequence& operator=(const UploadSequence&) = delete;

    /// The whole transfer of `set` as the button runs it, from holding the window to giving it back; the
    /// outcome is reported before the end step closes the port, and returned.
    UploadOutcome send(const MessageSet& set);
    /// One clock tick of the data phase: percentage and remaining time reported.
    void ProgressStep();
    /// Ends the running upload after the exchange under way is answered: nothing more is sent, and `send`
    /// returns a stopped outcome that says whether the unit had been changed.
    void requestStop();
    bool running() const { return m_running; }

    /// Clock ticks since the data phase began (starts at 1).
    std::int32_t ClockSeconds = 0;
    std::int32_t Percent = 0;
    /// Kept between uploads: a tick without a rate reports the previous estimate.
    std::int32_t RemainingSeconds = 0;

private:
    /// The steps between holding the window and the end step. `connected`: the user had opened the port.
    UploadOutcome run(bool connected);
    /// The first named slot whose file is not there, not readable or not of the size the set shows.
    std::optional<UploadOutcome> fileNotReady();
    bool fullUploadNeeded();
    UploadOutcome fullUpload();
    /// Sends every named slot's file; false when one fails.
    bool sendSlots();
    /// A read time-out closed the port: nothing more can reach the unit.
    bool lineLost() const;
    /// A stop was asked for; `unitChanged` once an erase has gone out.
    bool stopping() const;
    /// `step` failed, for the reason the link gives now.
    UploadOutcome failed(UploadOutcome::Step step) const;

    /// The set being uploaded, as the image holds it.
    const MessageSet& set() const;

    Parts m_parts;
    bool m_running = false;
    bool m_unitChanged = false;
    ILinkEvents& m_events;
    IUploadEvents& m_upload;
};
