#include "gui/win32/ToolTips.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr std::size_t kLongest = INFOTIPSIZE - 1;

TOOLINFOW toolOf(HWND window, UINT_PTR id, UINT flags) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = flags | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = id;
    return tool;
}

}  // namespace

ToolTips::ToolTips(HWND owner) {
    m_tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    // Long texts (a port's path with the reason it failed) wrap instead of running off the screen.
    SendMessageW(m_tips, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) / 2);
}

ToolTips::~ToolTips() {
    if (IsWindow(m_tips))
        DestroyWindow(m_tips);
}

void ToolTips::set(TOOLINFOW tool, const std::wstring& text) {
    TOOLINFOW stored = tool;
    std::vector<wchar_t> old(kLongest + 1, L'\0');
    stored.lpszText = old.data();
    const bool known = SendMessageW(m_tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&stored)) != 0;
    // The control hands its texts back into buffers of this size.
    std::wstring copy = text.substr(0, kLongest);
    tool.lpszText = copy.data();
    if (text.empty()) {
        if (known)
            SendMessageW(m_tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    if (!known) {
        SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    if (!(tool.uFlags & TTF_IDISHWND))
        SendMessageW(m_tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::setWindowTip(HWND window, const std::wstring& text) {
    set(toolOf(GetParent(window), reinterpret_cast<UINT_PTR>(window), TTF_IDISHWND), text);
}

void ToolTips::setAreaTip(HWND window, UINT id, const RECT& area, const std::wstring& text) {
    TOOLINFOW tool = toolOf(window, id, 0);
    tool.rect = area;
    set(tool, text);
}

std::wstring ToolTips::textOf(TOOLINFOW tool) const {
    std::vector<wchar_t> text(kLongest + 1, L'\0');
    tool.lpszText = text.data();
    if (!SendMessageW(m_tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
        return {};
    return text.data();
}

std::wstring ToolTips::windowTip(HWND window) const {
    return textOf(toolOf(GetParent(window), reinterpret_cast<UINT_PTR>(window), TTF_IDISHWND));
}

std::wstring ToolTips::areaTip(HWND window, UINT id) const {
    return textOf(toolOf(window, id, 0));
}
