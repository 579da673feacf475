#pragma once

#include <cstdint>
#include <vector>

#include "platform/ITimer.h"

/// A timer of `Win32EventPump`: due every `interval` milliseconds of the system's steady tick count. It is in
/// the loop's list of timers for as long as it lives.
class Win32Timer : public ITimer {
public:
    explicit Win32Timer(std::vector<Win32Timer*>& timers);
    ~Win32Timer() override;
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    void setInterval(int ms) override { m_interval = ms; }
    int interval() const override { return m_interval; }
    void setEnabled(bool on) override;
    bool enabled() const override { return m_enabled; }

    /// Milliseconds of the steady tick count at which it is next due.
    std::uint64_t due() const { return m_due; }
    /// Runs `Timer` when due at `now` and counts on to the next time.
    bool fireIfDue(std::uint64_t now);
    static std::uint64_t now();

private:
    std::vector<Win32Timer*>& m_timers;
    int m_interval = 0;
    bool m_enabled = false;
    std::uint64_t m_due = 0;
};
