#include "platform/win32/desktop/Win32MessageBox.h"

#include <windows.h>

#include "platform/win32/desktop/ModalLoopTurns.h"
#include "platform/win32/desktop/WideText.h"

namespace {

// The hook that captions the buttons sees the box as it is activated; one box is open at a time per thread.
thread_local const Win32MessageBox* t_asking = nullptr;
thread_local HHOOK t_hook = nullptr;

LRESULT CALLBACK captionButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && t_asking) {
        const auto box = reinterpret_cast<HWND>(wParam);
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
            const std::wstring caption = t_asking->captionFor(id);
            if (!caption.empty() && GetDlgItem(box, id))
                SetDlgItemTextW(box, id, caption.c_str());
        }
        // Only the box's own activation: windows it might open later keep their buttons.
        t_asking = nullptr;
    }
    return CallNextHookEx(t_hook, code, wParam, lParam);
}

/// A caption with the letter marked as the system marks it, unless it has one already.
std::wstring withLetter(const std::string& text) {
    std::wstring caption = WideText::wide(text);
    if (caption.empty() || caption.find(L'&') != std::wstring::npos)
        return caption;
    return L"&" + caption;
}

}  // namespace

std::wstring Win32MessageBox::captionFor(int buttonId) const {
    switch (buttonId) {
        case IDOK:
            return WideText::wide(m_texts.ok);
        case IDCANCEL:
            return WideText::wide(m_texts.cancel);
        case IDYES:
            return withLetter(m_texts.yes);
        case IDNO:
            return withLetter(m_texts.no);
        default:
            return {};
    }
}

int Win32MessageBox::MsgBox(const std::string& text, int flags, const std::string& title) {
    HWND owner = GetActiveWindow();
    t_asking = this;
    t_hook = SetWindowsHookExW(WH_CBT, captionButtons, nullptr, GetCurrentThreadId());
    const std::wstring caption = WideText::wide(title.empty() ? m_programTitle : title);
    const ModalLoopTurns turns;
    const int result =
        MessageBoxW(owner, WideText::wide(text).c_str(), caption.c_str(), static_cast<UINT>(flags) | MB_SETFOREGROUND);
    if (t_hook)
        UnhookWindowsHookEx(t_hook);
    t_hook = nullptr;
    t_asking = nullptr;
    return result;
}

void Win32MessageBox::Beep() {
    MessageBeep(MB_OK);
}
