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

constexpr int kAttempts = 10;
constexpr DWORD kPauseMs = 50;

}  // namespace

bool writeNew(const std::filesystem::path& temp, std::string_view content, const std::filesystem::path& like) {
    // The permissions (the access list) of the old file pass to the new one when `replace` swaps them.
    (void)like;
    const std::wstring name = longForm(temp);
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    while (ok && !content.empty()) {
        const DWORD chunk = content.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(content.size());
        DWORD written = 0;
        ok = WriteFile(file, content.data(), chunk, &written, nullptr) && written > 0;
        content.remove_prefix(written);
    }
    // Flushed before the swap, so that a power cut cannot leave an empty file in the old one's place.
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok)
        DeleteFileW(name.c_str());
    return ok;
}

bool replace(const std::filesystem::path& temp, const std::filesystem::path& target) {
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
        if (attempt == kAttempts || !worthAnotherAttempt(GetLastError()))
            return false;
        Sleep(kPauseMs);
    }
}

}  // namespace SystemFiles
