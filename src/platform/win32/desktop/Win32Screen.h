#pragma once

#include "platform/IScreen.h"

/// The screen's resolution as the system gives it to a DPI-aware program, and the mouse pointer over the
/// program's windows: the hourglass shows while the program is busy, whichever window the pointer is over.
class Win32Screen : public IScreen {
public:
    int logPixelsX() const override;
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return m_pointer; }

    /// Sets the pointer for a window's WM_SETCURSOR: true when it set the hourglass, false to let the
    /// window show its own.
    bool applyPointer() const;

private:
    int m_pointer = vbDefault;
};
