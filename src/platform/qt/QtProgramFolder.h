#pragma once

#include <string>

/// The program folder of the window program and the command-line program: the folder of the running
/// program file, or the user's configuration folder "KVT3310" when that one cannot be written there (see
/// `ProgramFolder`). Needs a QCoreApplication.
class QtProgramFolder {
public:
    static std::string resolve();
    /// The user's folder used in place of a read-only program folder.
    static std::string userFolder();
};
