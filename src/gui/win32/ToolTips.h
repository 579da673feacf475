#pragma once

#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <string>

/// One tooltip control for the windows of a form: a tip over a whole child window, or over an area of one (a
/// status bar's panel). Setting an empty text takes the tip away.
class ToolTips {
public:
    explicit ToolTips(HWND owner);
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    void setWindowTip(HWND window, const std::wstring& text);
    /// The tip over `area` (client coordinates of `window`), told apart from the window's other areas by `id`.
    void setAreaTip(HWND window, UINT id, const RECT& area, const std::wstring& text);
    /// The text shown over `window`, or over its area `id`; empty when none.
    std::wstring windowTip(HWND window) const;
    std::wstring areaTip(HWND window, UINT id) const;
    HWND window() const { return m_tips; }

private:
    void set(TOOLINFOW tool, const std::wstring& text);
    std::wstring textOf(TOOLINFOW tool) const;

    HWND m_tips = nullptr;
};
