#include "platform/SystemFiles.h"

#include <windows.h>

#include <string>

namespace SystemFiles {

namespace {

/// A viewer, an indexer or a virus scanner may hold the old file open for a moment; those errors pass. When
/// the swap stopped half-way, the old file is gone from its name and the next attempt moves the new one there.
bool worthAnotherAttempt(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
           error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
}

/// Absolute paths near or beyond MAX_PATH in the form that the system takes at any length, whatever the
/// system's long-path setting.
std::wstring longForm(const std::filesystem::path& path) {
    constexpr std::size_t kShortEnough = MAX_PATH - 12;
    std::wstring text = path.lexically_normal().make_preferred().native();
    if (text.size() < kShortEnough || !path.is_absolute() || text.rfind(L"\\\\?\\", 0) == 0 ||
        text.rfind(L"\\\\.\\", 0) == 0)
        return path.native();
    if (text.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + text.substr(2);
    return L"\\\\?\\" + text;
}

/// The reason of a failed call. The common ones in the portable words, which are the same on every system and
/// need no conversion from the ANSI code page; any other in the system's own.
std::error_code reasonOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
            return std::make_error_code(std::errc::permission_denied);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return std::make_error_code(std::errc::no_space_on_device);
        case ERROR_WRITE_PROTECT:
            return std::make_error_code(std::errc::read_only_file_system);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return std::make_error_code(std::errc::device_or_resource_busy);
        default:
            return std::error_code(static_cast<int>(code), std::system_category());
    }
}

std::error_code lastSystemError() {
    return reasonOf(GetLastError());
}

constexpr int kAttempts = 10;
constexpr DWORD kPauseMs = 50;

}  // namespace

bool writeNew(const std::filesystem::path& temp, std::string_view content, const std::filesystem::path& like,
              std::error_code& error) {
    // The permissions (the access list) of the old file pass to the new one when `replace` swaps them.
    (void)like;
    const std::wstring name = longForm(temp);
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = lastSystemError();
        return false;
    }
    bool ok = true;
    while (ok && !content.empty()) {
        const DWORD chunk = content.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(content.size());
        DWORD written = 0;
        ok = WriteFile(file, content.data(), chunk, &written, nullptr) && written > 0;
        content.remove_prefix(written);
    }
    // Flushed before the swap, so that a power cut cannot leave an empty file in the old one's place.
    ok = ok && FlushFileBuffers(file);
    if (!ok)
        error = lastSystemError();
    if (!CloseHandle(file) && ok) {
        error = lastSystemError();
        ok = false;
    }
    if (!ok)
        DeleteFileW(name.c_str());
    return ok;
}

bool replace(const std::filesystem::path& temp, const std::filesystem::path& target, std::error_code& error) {
    const std::wstring from = longForm(temp);
    const std::wstring to = longForm(target);
    for (int attempt = 1;; ++attempt) {
        BOOL done;
        if (GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES) {
            done = MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
        } else {
            // Keeps the old file's attributes, access list and short name, as an editor's save does.
            done = ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        }
        if (done)
            return true;
        const DWORD code = GetLastError();
        if (attempt == kAttempts || !worthAnotherAttempt(code)) {
            error = reasonOf(code);
            return false;
        }
        Sleep(kPauseMs);
    }
}

}  // namespace SystemFiles
