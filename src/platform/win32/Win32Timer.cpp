#include "platform/win32/Win32Timer.h"

#include <windows.h>

#include <algorithm>

Win32Timer::Win32Timer(std::vector<Win32Timer*>& timers) : m_timers(timers) {
    m_timers.push_back(this);
}

Win32Timer::~Win32Timer() {
    m_timers.erase(std::remove(m_timers.begin(), m_timers.end(), this), m_timers.end());
}

std::uint64_t Win32Timer::now() {
    return GetTickCount64();
}

void Win32Timer::setEnabled(bool on) {
    m_enabled = on;
    if (on)
        m_due = now() + static_cast<std::uint64_t>(std::max(m_interval, 0));
}

bool Win32Timer::fireIfDue(std::uint64_t time) {
    if (!m_enabled || time < m_due)
        return false;
    m_due = time + static_cast<std::uint64_t>(std::max(m_interval, 1));
    if (Timer)
        Timer();
    return true;
}
