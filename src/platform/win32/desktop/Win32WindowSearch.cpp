#include "platform/win32/desktop/Win32WindowSearch.h"

#include <windows.h>

#include "platform/ITextCodec.h"
#include "platform/win32/desktop/WideText.h"

namespace {

struct Search {
    const ITextCodec* codec;
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK compare(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t windowClass[64] = {};
    GetClassNameW(window, windowClass, 64);
    if (std::wstring(windowClass) != Win32WindowSearch::kWindowClass)
        return TRUE;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    const std::string caption = search->codec->toUtf8(search->codec->fromUtf8(WideText::utf8(text)));
    if (caption != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

IWindowSearch::Handle Win32WindowSearch::FindWindowA(const std::string&, const std::string& caption) {
    Search search{&m_codec, caption};
    EnumWindows(compare, reinterpret_cast<LPARAM>(&search));
    return reinterpret_cast<Handle>(search.found);
}

void Win32WindowSearch::ShowWindow(Handle window, int command) {
    const auto hwnd = reinterpret_cast<HWND>(window);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    // The copy the user just started may hand the foreground on; the running copy could not take it itself.
    AllowSetForegroundWindow(process);
    if (IsIconic(hwnd) || command != IWindowSearch::kShowNormal)
        ::ShowWindow(hwnd, command == IWindowSearch::kShowNormal ? SW_RESTORE : command);
    SetForegroundWindow(hwnd);
}

void Win32WindowSearch::publish(const std::string&, std::function<std::string()> caption, std::function<void()> show) {
    m_caption = std::move(caption);
    m_show = std::move(show);
}
