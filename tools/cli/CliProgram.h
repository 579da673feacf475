#pragma once

#include <ostream>
#include <string>
#include <vector>

class HeadlessPlatform;

/// The command-line program: picks the command and the language from the words after the program name
/// and runs it. Returns the exit status.
class CliProgram {
public:
    CliProgram(std::ostream& out, std::ostream& err, HeadlessPlatform& headless)
        : m_out(out), m_err(err), m_headless(headless) {}

    int run(const std::vector<std::string>& args);

private:
    std::ostream& m_out;
    std::ostream& m_err;
    HeadlessPlatform& m_headless;
};
