#include "platform/win32/Win32ProgramFolder.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ProgramFolder.h"
#include "platform/Utf8Path.h"

std::string Win32ProgramFolder::resolve() {
    return ProgramFolder().choose(installedFolder(), userFolder());
}

std::string Win32ProgramFolder::installedFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >= path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return utf8String(std::filesystem::path(path).parent_path());
}

std::string Win32ProgramFolder::userFolder() {
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (!local || !*local)
        return {};
    return utf8String(std::filesystem::path(local) / L"KVT3310");
}
