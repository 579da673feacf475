#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// A pseudo-terminal whose far end behaves as the unit: what a program writes to the terminal's path is
/// handed to `onBytes`, and what that returns is written back, paced at `baud` with 11 bits per byte (8N2
/// and the start bit) when `baud` is above 0.
class PtyHost {
public:
    PtyHost();
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    /// Opens the pseudo-terminal; false with `error()` telling why.
    bool open();
    /// The path programs open, for example /dev/pts/3.
    const std::string& path() const { return m_path; }
    /// Makes `link` a symbolic link to the path, replacing a link that is already there.
    bool makeLink(const std::string& link);
    const std::string& error() const { return m_error; }

    /// Serves until `stop` turns true (checked at least every 200 ms).
    void run(const std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>&)>& onBytes,
             const volatile bool& stop);

    int baud = 0;

private:
    void send(const std::vector<std::uint8_t>& bytes);

    int m_master = -1;
    /// Held open so that the terminal survives the program on the other side closing and opening it.
    int m_slave = -1;
    std::string m_path;
    std::string m_link;
    std::string m_error;
};
