// find_window: starts an installed program as its Start menu entry does (in its own folder), waits for a visible
// top-level window of the given class owned by that process, prints the time from the start to the window, then
// closes the window as a user would and waits for the program to end.
//   find_window <program> <window class> <seconds>
// Exit status: 0 the window came and the program ended; 1 no window in time, or the program ended before it;
// 2 wrong arguments or the program could not be started; 3 the program did not end once its window was closed.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

HWND visibleWindowOf(DWORD processId, const wchar_t* windowClass) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: find_window <program> <window class> <seconds>\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const wchar_t* windowClass = argv[2];
    const ULONGLONG limit = _wtoi(argv[3]) * 1000ULL;
    const std::wstring folder = folderOf(program);
    std::wstring commandLine = L"\"" + program + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const ULONGLONG start = GetTickCount64();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %ls: error %lu\n", program.c_str(), GetLastError());
        return 2;
    }
    const Handle process(info.hProcess);
    const Handle thread(info.hThread);

    HWND window = nullptr;
    while ((window = visibleWindowOf(info.dwProcessId, windowClass)) == nullptr) {
        if (WaitForSingleObject(process.get(), 20) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.get(), &code);
            std::fprintf(stderr, "the program ended with status %lu before its window appeared\n", code);
            return 1;
        }
        if (GetTickCount64() - start > limit) {
            std::fprintf(stderr, "no visible window of class %ls within %llu s\n", windowClass, limit / 1000);
            TerminateProcess(process.get(), 1);
            return 1;
        }
    }
    std::printf("main window after %llu ms\n", GetTickCount64() - start);
    std::fflush(stdout);

    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), static_cast<DWORD>(limit)) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end after its main window was closed\n");
        TerminateProcess(process.get(), 1);
        return 3;
    }
    return 0;
}
