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
    /// Slot `slot`'s file has been read to go out: it takes `storedBytes` in the unit.
    virtual void messageStored(int slot, std::int32_t storedBytes) = 0;
    /// Where the messages written so far end (a word address) and how many there are; nothing yet when
    /// `count` is negative.
    virtual void messagesPlaced(std::int32_t endAddress, std::int32_t count) = 0;
    /// What the upload ended with, before its end step closes the port.
    virtual void uploadFinished(const UploadOutcome& outcome) = 0;
    /// The end step: the progress display cleared and the window given back.
    virtual void uploadEnded() = 0;
};
