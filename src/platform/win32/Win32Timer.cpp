#include "platform/win32/Win32Timer.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32EventPump.h"

Win32Timer::Win32Timer(Win32EventPump& pump) : m_pump(pump) {
    m_pump.m_timers.push_back(this);
}

Win32Timer::~Win32Timer() {
    auto& timers = m_pump.m_timers;
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
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
