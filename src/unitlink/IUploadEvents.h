#pragma once

#include <cstdint>

#include "unitlink/UploadOutcome.h"

/// What the upload reports to the window beyond the link's status reports: its start and end, the progress of
/// the data phase, and its outcome.
class IUploadEvents {
public:
    virtual ~IUploadEvents() = default;
    /// The window is held (disabled, hourglass) until `uploadEnded`; the progress display is cleared.
    virtual void uploadStarted() = 0;
    /// The data phase begins with `total` bytes to send.
    virtual void progressStarted(std::int32_t total) = 0;
    virtual void progress(std::int32_t bytesSent) = 0;
    /// Once a second in the data phase: the percentage done and the estimated seconds left.
    virtual void progressTime(std::int32_t percent, std::int32_t remainingSeconds) = 0;
    /// What the upload ended with, before its end step closes the port.
    virtual void uploadFinished(const UploadOutcome& outcome) = 0;
    /// The end step: the progress display cleared and the window given back.
    virtual void uploadEnded() = 0;
};
