#pragma once

#include <cstdint>

#include "unitlink/StatusEvent.h"

/// What the unit link reports to the window: status reports, a read that got no byte, and each byte read. The
/// link never shows anything itself; the editor's presenter turns these into texts and control states.
class ILinkEvents {
public:
    virtual ~ILinkEvents() = default;
    virtual void statusChanged(const StatusEvent& event) = 0;
    /// A read got no byte (time-out, overrun or a closed port): the link is to be closed, and the window given
    /// back unless an upload holds it until its end.
    virtual void readFailed() = 0;
    /// After every byte read: the ring's read index and the running checksum of the reply.
    virtual void byteRead(int dataOutPoint, std::uint8_t inputCheckSum) = 0;
};
