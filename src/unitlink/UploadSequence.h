#pragma once

#include <cstdint>
#include <optional>

#include "unitlink/UploadOutcome.h"

class Form1;
class ILinkEvents;
class IUploadEvents;

/// The upload button `Bt_SendMessage`: connects, decides between a full upload (erase, every wave file, both
/// tables) and a configuration-only upload (both tables), runs it, reports the outcome and disconnects. The
/// window is held from the click to the end step. Also the progress step that the once-a-second clock runs
/// during the data phase. What the window shows is reported to the events; nothing is shown here.
class UploadSequence {
public:
    UploadSequence(Form1& form, ILinkEvents& events, IUploadEvents& upload);
    ~UploadSequence();
    UploadSequence(const UploadSequence&) = delete;
    UploadSequence& operator=(const UploadSequence&) = delete;

    void Bt_SendMessage_Click() { send(); }
    /// The whole transfer as the button runs it, from holding the window to giving it back; the outcome is
    /// reported before the end step closes the port, and returned.
    UploadOutcome send();
    /// One clock tick of the data phase: percentage and remaining time reported.
    void ProgressStep();

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
    /// `step` failed, for the reason the link gives now.
    UploadOutcome failed(UploadOutcome::Step step) const;

    Form1& m_form;
    ILinkEvents& m_events;
    IUploadEvents& m_upload;
};
