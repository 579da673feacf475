#include "platform/win32/desktop/Win32TextViewer.h"

#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include "platform/win32/desktop/WideText.h"

bool Win32TextViewer::view(const std::string& path) {
    const std::wstring file = WideText::wide(path);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(GetActiveWindow(), L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32)
        return true;
    // No program is associated with the file's type: Notepad is on every Windows.
    std::wstring command = L"notepad.exe \"" + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
