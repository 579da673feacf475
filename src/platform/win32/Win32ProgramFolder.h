#pragma once

#include <string>

/// The program folder of the Windows programs: the folder of the program file while it can be written, else
/// the user's "%LOCALAPPDATA%\KVT3310", given copies of the shipped files (`ProgramFolder`).
class Win32ProgramFolder {
public:
    static std::string resolve();
    /// The folder the running program file is in, as UTF-8.
    static std::string installedFolder();
    /// The user's own folder for the program, empty when the system names none.
    static std::string userFolder();
};
