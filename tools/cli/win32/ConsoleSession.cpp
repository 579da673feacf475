#include "ConsoleSession.h"

#include <windows.h>

#include <cstdio>
#include <iostream>

namespace {

struct Saved {
    UINT outputCodePage = 0;
    HANDLE handles[2] = {nullptr, nullptr};
    DWORD modes[2] = {0, 0};
    bool hasMode[2] = {false, false};
};

Saved saved;

BOOL WINAPI onControl(DWORD) {
    // Ctrl+C, Ctrl+Break or the console closing end the process without running destructors.
    std::fflush(stderr);
    ConsoleSession::restore();
    return FALSE;
}

}  // namespace

ConsoleSession::ConsoleSession() {
    saved.outputCodePage = GetConsoleOutputCP();
    const DWORD streams[2] = {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (int i = 0; i < 2; ++i) {
        saved.handles[i] = GetStdHandle(streams[i]);
        saved.hasMode[i] =
            saved.handles[i] != INVALID_HANDLE_VALUE && GetConsoleMode(saved.handles[i], &saved.modes[i]);
    }
    SetConsoleCtrlHandler(onControl, TRUE);
    SetConsoleOutputCP(CP_UTF8);
    // The C library writes an unbuffered stream a character at a time; every writer of the program flushes at
    // the end of its line or progress update.
    std::setvbuf(stderr, nullptr, _IOFBF, 4096);
    std::cerr.unsetf(std::ios_base::unitbuf);
}

ConsoleSession::~ConsoleSession() {
    std::cerr.flush();
    std::fflush(stderr);
    restore();
    SetConsoleCtrlHandler(onControl, FALSE);
}

void ConsoleSession::restore() {
    if (saved.outputCodePage)
        SetConsoleOutputCP(saved.outputCodePage);
    for (int i = 0; i < 2; ++i)
        if (saved.hasMode[i])
            SetConsoleMode(saved.handles[i], saved.modes[i]);
}
