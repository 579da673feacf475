#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "EmulatedUnit.h"
#include "PtyHost.h"

/// The emulated unit on a pseudo-terminal, served from a thread of its own. With a baud rate above 0 both
/// directions keep to the line's pace (11 bits a byte): bytes from the PC are taken as received only once
/// their wire time has passed, and each reply is handed over when its last byte would have come off the line.
/// The line counts as idle whenever it waits for the PC.
class PacedUnit {
public:
    explicit PacedUnit(int baud);
    ~PacedUnit();
    PacedUnit(const PacedUnit&) = delete;
    PacedUnit& operator=(const PacedUnit&) = delete;

    /// Opens the terminal and starts serving; false with `error()` telling why.
    bool start();
    const std::string& path() const { return m_host.path(); }
    const std::string& error() const { return m_host.error(); }
    /// Only while the terminal is quiet (no upload running).
    const EmulatedUnit& unit() const { return m_unit; }
    /// Before `start`, to give the unit a memory without an upload.
    EmulatedUnit& unit() { return m_unit; }
    /// Where the PC notes when it last wrote to the port (CLOCK_MONOTONIC, ns), so that the line's pace
    /// counts from the PC's writes and not from this thread's wake-ups.
    void setPcClock(const std::atomic<std::int64_t>* pcWroteNs) { m_pcWroteNs = pcWroteNs; }
    /// Time the paced line lay idle between a reply's hand-over and the PC's next write: the PC's share.
    double idleSeconds() const { return static_cast<double>(m_idleNs) / 1e9; }
    /// When the latest reply was handed over (CLOCK_MONOTONIC, ns); paced runs only.
    std::int64_t lastReplyByteNs() const { return m_lastReplyByteNs.load(); }

private:
    int m_baud;
    PtyHost m_host;
    EmulatedUnit m_unit;
    volatile bool m_stop = false;
    std::thread m_thread;
    std::int64_t m_lineFreeNs = 0;
    std::int64_t m_idleNs = 0;
    std::atomic<std::int64_t> m_lastReplyByteNs{0};
    const std::atomic<std::int64_t>* m_pcWroteNs = nullptr;
};
