#include "platform/win32/Win32Clock.h"

#include <windows.h>

std::int64_t Win32Clock::steadyMs() const {
    return static_cast<std::int64_t>(GetTickCount64());
}

double Win32Clock::secondsOfDay() const {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}
