#include "platform/Terminal.h"

#include <windows.h>

bool errorStreamIsTerminal() {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (err == INVALID_HANDLE_VALUE || !GetConsoleMode(err, &mode))
        return false;
    // Consoles before Windows 10 show escape codes as text: they get plain lines instead.
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) ||
           SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}
