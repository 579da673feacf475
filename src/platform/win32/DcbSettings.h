#pragma once

#include <windows.h>

#include <string>

/// Puts a port settings string such as "115200,N,8,2" into `dcb`, with binary transfer and no flow control
/// of any kind; false (and `dcb` as it was) when the string does not name valid settings.
bool dcbFromSettings(const std::string& settings, DCB& dcb);
