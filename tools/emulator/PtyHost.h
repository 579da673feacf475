#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// A pseudo-terminal whose far end behaves as the unit: what a program writes to the terminal's path is
/// handed to `onBytes`, and what that returns is written back. With `baud` above 0 both directions keep to
/// the line's pace, 11 bits a byte (8N2 and the start bit): bytes from the program are handed over only once
/// their last byte would have crossed the line, and replies go out byte by byte at the line's rate.
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

    /// Called with the bytes received; `whileReplying` when they came in while a reply was still going out
    /// (paced only). Returns what to send back.
    using OnBytes = std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>&, bool whileReplying)>;

    /// Serves until `stop` turns true (checked at least every 200 ms).
    void run(const OnBytes& onBytes, const volatile bool& stop);

    int baud = 0;

    /// CLOCK_MONOTONIC in nanoseconds, and a sleep until such a time: the clock the line's pace keeps to.
    static std::int64_t nowNs();
    static void sleepUntilNs(std::int64_t ns);

private:
    void send(const std::vector<std::uint8_t>& bytes, const OnBytes& onBytes);
    std::vector<std::uint8_t> readWaiting(int timeoutMs);
    std::int64_t nsPerByte() const { return 11LL * 1000000000LL / baud; }

    int m_master = -1;
    /// Held open so that the terminal survives the program on the other side closing and opening it.
    int m_slave = -1;
    std::string m_path;
    std::string m_link;
    std::string m_error;
    /// When the line in each direction is free again (CLOCK_MONOTONIC, ns); paced only.
    std::int64_t m_inFreeNs = 0;
    std::int64_t m_outFreeNs = 0;
};
