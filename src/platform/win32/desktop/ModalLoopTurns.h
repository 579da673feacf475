#pragma once

/// While the system runs a modal loop of its own on the program's thread (a message box, a file dialog, a
/// window being moved or sized, an open menu), the event pump does not turn: the serial port's completions and
/// the timers would wait for the user, and an upload with them. While one of these lives, a thread timer, which
/// the modal loop dispatches as it dispatches every message, turns the thread's window pump without taking the
/// loop's messages, as the pump's own loop would have done.
class ModalLoopTurns {
public:
    ModalLoopTurns() { enter(); }
    ~ModalLoopTurns() { leave(); }
    ModalLoopTurns(const ModalLoopTurns&) = delete;
    ModalLoopTurns& operator=(const ModalLoopTurns&) = delete;

    /// For loops whose start and end come as two messages (WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE); nested is fine.
    static void enter();
    static void leave();
};
