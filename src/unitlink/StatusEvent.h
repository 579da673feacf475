#pragma once

#include <string>

/// A report of the unit link for the status line. The window shows it as its text in the active language.
struct StatusEvent {
    enum class Kind {
        /// A frame ended while the port was closed; or the port could not be opened, `detail` saying why.
        NotConnected,
        /// `detail` names the slot whose file is being sent.
        Uploading,
        /// A file, a service command's rewrite or a reading of the tables is done.
        UploadDone,
        UploadFailed,
        ReadFailed,
        Checking,
        Checked,
        CheckFailed,
        Erasing,
        Erased,
        EraseFailed,
        /// The tables were read back from the unit (the command line's reading).
        ReadDone,
        /// `detail` names the slot whose message is being read back from the unit.
        ReadingBack,
        /// The open port went away (the adapter pulled); `detail` names it and says why.
        PortLost
    };

    Kind kind = Kind::NotConnected;
    std::string detail;

    bool operator==(const StatusEvent&) const = default;
};
