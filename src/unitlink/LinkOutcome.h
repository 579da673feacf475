#pragma once

#include <string>

/// What an exchange with the unit ended with, as far as the link can tell.
struct LinkOutcome {
    enum class Kind {
        Success,
        /// The unit answered with a NAK, or with a code other than ACK.
        Refused,
        /// No byte came within the time-out.
        NoAnswer,
        /// A reply came but failed its checks (checksum, CR, LF, addresses, command), or overran the ring.
        InvalidReply,
        /// The port closed under the exchange (the adapter pulled, the line hung up); `reason` names the port and,
        /// where the system said, why.
        PortLost,
        /// The port could not be opened; `reason` says why as the system does.
        PortNotOpened
    };

    Kind kind = Kind::Success;
    /// The system's reason for `PortNotOpened` or `PortLost`; may be empty.
    std::string reason;

    bool ok() const { return kind == Kind::Success; }
    bool operator==(const LinkOutcome&) const = default;
};
