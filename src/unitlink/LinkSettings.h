#pragma once

#include <cstdint>
#include <string>

#include "settings/Settings.h"

/// The serial settings the link opens its port with and reads under, as the settings file and the Setup menu
/// give them.
struct LinkSettings {
    /// The read time-out at start, and for a time-out that would never end.
    static constexpr std::int16_t kStartTimeOut = Settings::kStartTimeOut;

    std::int16_t CommTimeOut = kStartTimeOut;
    std::int16_t Commport = 1;
    std::string Bret = "115200";
    std::string Pchk = "N";
    std::string Dbit = "8";
    std::string Sbit = "2";
    /// Device paths of port numbers 1 and 2 where ports are files (keys "Com1Device" and "Com2Device").
    std::string Com1Device = "/dev/ttyS0";
    std::string Com2Device = "/dev/ttyS1";
    /// A port chosen from the system's list below `Com1` and `Com2` ("COM5", "/dev/ttyUSB0"), opened in place
    /// of port number `Commport`; empty while `Com1` or `Com2` is the choice (key "PortName").
    std::string PortName;

    /// `Bret`, `Pchk`, `Dbit` and `Sbit` joined by commas, as the port takes them.
    std::string portSettings() const { return Bret + "," + Pchk + "," + Dbit + "," + Sbit; }
    /// The read time-out in force: `CommTimeOut`, or the start value where it would never end.
    int readTimeOut() const { return CommTimeOut > 0 ? CommTimeOut : kStartTimeOut; }
};
