#include "platform/win32/desktop/ModalLoopTurns.h"

#include <windows.h>

#include "platform/win32/Win32EventPump.h"

namespace {

thread_local int t_depth = 0;
thread_local UINT_PTR t_timer = 0;

void CALLBACK turn(HWND, UINT, UINT_PTR, DWORD) {
    if (Win32EventPump* pump = Win32EventPump::windowPump())
        pump->processEventsWithoutMessages();
}

}  // namespace

void ModalLoopTurns::enter() {
    if (t_depth++ == 0)
        t_timer = SetTimer(nullptr, 0, Win32EventPump::kPollMs, turn);
}

void ModalLoopTurns::leave() {
    if (t_depth == 0)
        return;
    if (--t_depth == 0 && t_timer) {
        KillTimer(nullptr, t_timer);
        t_timer = 0;
    }
}
