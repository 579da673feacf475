#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

/// What a program run as a process left: its exit status and everything it wrote.
struct ProgramResult {
    int status = -1;  ///< the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

/// Runs `program` with `args` in `folder` (the current one when empty), standard input empty, and waits
/// for it to end.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& folder = "");

/// A program left running in the background, ended (SIGTERM, then waited for) with the object.
class BackgroundProgram {
public:
    BackgroundProgram(const std::string& program, const std::vector<std::string>& args);
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

    /// The first line of its standard output, waiting up to `timeoutMs` for it; empty when none came.
    std::string firstLine(int timeoutMs);

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

/// Bytes of a file, or empty when it cannot be read.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
