#include "platform/win32/desktop/Win32Screen.h"

#include <windows.h>

int Win32Screen::logPixelsX() const {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void Win32Screen::setMousePointer(int pointer) {
    m_pointer = pointer;
    SetCursor(LoadCursorW(nullptr, pointer == vbHourglass ? IDC_WAIT : IDC_ARROW));
}

bool Win32Screen::applyPointer() const {
    if (m_pointer != vbHourglass)
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}
