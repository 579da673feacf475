#pragma once

#include <cstdint>
#include <string>

/// What the settings file "KVT3310.INI" holds, as the program takes it: the serial settings, the folders,
/// the language and configuration file names, and the protocol trace. A member starts at the value the
/// program starts with; reading a file changes only the members whose keys it holds.
struct Settings {
    /// The per-byte read time-out at start, in milliseconds; also taken for a time-out of 0 or less, which
    /// would otherwise wait for ever.
    static constexpr std::int16_t kStartTimeOut = 5000;

    // Section "Com settings".
    std::int16_t CommTimeOut = kStartTimeOut;
    /// Key "Commport" as written, "CommPort" as read.
    std::int16_t Commport = 1;
    std::string Bret = "115200";  ///< key "BaudRate"
    std::string Pchk = "N";       ///< key "Parity"
    std::string Dbit = "8";       ///< key "Databits"
    std::string Sbit = "2";       ///< key "Stopbits"
    /// A port chosen from the system's list, opened in place of port number `Commport`; empty while port
    /// number 1 or 2 is the choice.
    std::string PortName;
    /// Device paths of port numbers 1 and 2 where ports are files.
    std::string Com1Device = "/dev/ttyS0";
    std::string Com2Device = "/dev/ttyS1";

    // Section "File paths".
    std::string strLNGFilePath;
    std::string stroLNGFilePath;
    bool stroLNGFilePathType = false;
    /// Read only: the language commands write the key themselves, as the choice is made.
    std::string LanguageFile = "en.lng";
    std::string strMSGFilePath;
    std::string MessageFile = "MessageSetup.cfg";
    std::string strWAVFilePath;

    // Section "Trace": keys "Trace" and "TraceSizeLimitKB".
    bool trace = false;
    /// In bytes; the file holds whole KB.
    std::uint64_t traceLimit = 1024 * 1024;

    bool operator==(const Settings&) const = default;
};
