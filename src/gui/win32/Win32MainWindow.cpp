#include "gui/win32/Win32MainWindow.h"

#include <algorithm>

#include "gui/win32/ControlViews.h"
#include "gui/win32/EditorWindow.h"
#include "gui/win32/MenuBarView.h"
#include "gui/win32/Win32Fonts.h"
#include "platform/win32/desktop/ModalLoopTurns.h"
#include "platform/win32/desktop/WideText.h"
#include "shell/MDIKVT3310.h"

namespace {

/// The frame's outer size for a client area of `client`, with the menu bar, at the window's resolution.
SIZE outerSize(HWND window, SIZE client, int dpi) {
    RECT rect{0, 0, client.cx, client.cy};
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    // Windows 10 and later size the frame for the window's own resolution; older ones and Wine may lack it.
    static const auto adjust = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjust)
        adjust(&rect, style, TRUE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&rect, style, TRUE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

Win32MainWindow::Win32MainWindow(MDIKVT3310& mdi, Form1& form, Win32Fonts& fonts) : m_mdi(mdi), m_fonts(fonts) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, nullptr, wc.hInstance, this);
    m_menus = std::make_unique<MenuBarView>(m_window, mdi);
    m_editor = std::make_unique<EditorWindow>(m_window, form, fonts);
    m_editor->contentResized = [this] { fitToContent(); };
    m_connection = mdi.changed().connect([this] { refresh(); });
    refresh();

    // The Exit command closes through the model; once it has gone ahead the window follows.
    auto previous = std::move(mdi.Unload);
    mdi.Unload = [this, previous] {
        if (previous)
            previous();
        takeDown();
    };
    fitToContent();
}

Win32MainWindow::~Win32MainWindow() {
    m_mdi.changed().disconnect(m_connection);
    m_mdi.Unload = nullptr;
    m_editor.reset();
    m_menus.reset();
    if (IsWindow(m_window)) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void Win32MainWindow::refresh() {
    SetWindowTextW(m_window, WideText::wide(m_mdi.caption()).c_str());
    // The content and the menus follow the model, the frame stays enabled: a disabled window takes no close
    // from its caption or Alt+F4, and a close during an upload must reach the question whether to stop it.
    EnableWindow(m_editor->window(), m_mdi.enabled());
    m_menus->setEnabled(m_mdi.enabled());
}

void Win32MainWindow::show() {
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
}

void Win32MainWindow::fitToContent() {
    if (IsZoomed(m_window) || IsIconic(m_window))
        return;
    const SIZE content = m_editor->sizeHint();
    const SIZE wanted = outerSize(m_window, content, m_fonts.dpi());
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG width = std::min(wanted.cx, work.right - work.left);
    const LONG height = std::min(wanted.cy, work.bottom - work.top);
    RECT now{};
    GetWindowRect(m_window, &now);
    // The whole window stays on the screen, moved no further than needed.
    LONG x = std::max(std::min(now.left, work.right - width), work.left);
    LONG y = std::max(std::min(now.top, work.bottom - height), work.top);
    SetWindowPos(m_window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame may differ from what the system computed (a menu bar in two lines, a window manager's
    // frame): the client area is measured and the window corrected once, still within the work area.
    // The status bar takes its own height only once it has a width: the editor is asked again.
    for (int round = 0; round < 2; ++round) {
        RECT client{}, outer{};
        GetClientRect(m_window, &client);
        GetWindowRect(m_window, &outer);
        const SIZE needed = m_editor->sizeHint();
        const LONG moreWidth = std::min(needed.cx - client.right, work.right - outer.right);
        const LONG moreHeight = std::min(needed.cy - client.bottom, work.bottom - outer.bottom);
        if (moreWidth <= 0 && moreHeight <= 0)
            break;
        SetWindowPos(m_window, nullptr, 0, 0, outer.right - outer.left + std::max(0L, moreWidth),
                     outer.bottom - outer.top + std::max(0L, moreHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32MainWindow::takeDown() {
    m_closeApproved = true;
    if (!m_asking)
        PostMessageW(m_window, WM_CLOSE, 0, 0);
}

void Win32MainWindow::showNormalAndRaise() {
    if (IsIconic(m_window))
        ShowWindow(m_window, SW_RESTORE);
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
}

bool Win32MainWindow::translate(MSG& message) {
    if (!IsWindow(m_window))
        return false;
    if (TranslateAcceleratorW(m_window, m_menus->accelerators(), &message))
        return true;
    return IsDialogMessageW(m_window, &message) != 0;
}

void Win32MainWindow::close() {
    // A close that the model already let go ahead, or one asked for while the model decides (its Unload
    // closing the window), goes through without asking again.
    if (m_closeApproved) {
        DestroyWindow(m_window);
        return;
    }
    if (m_asking)
        return;
    m_asking = true;
    const bool goAhead = m_mdi.requestClose();
    m_asking = false;
    if (goAhead) {
        m_closeApproved = true;
        DestroyWindow(m_window);
    }
}

void Win32MainWindow::changeDpi(int dpi, const RECT* suggested) {
    m_fonts.setDpi(dpi);
    m_editor->views().refreshFonts();
    m_editor->relayout();
    if (suggested)
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    fitToContent();
}

LRESULT CALLBACK Win32MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_window = window;
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->on(message, wParam, lParam);
}

LRESULT Win32MainWindow::on(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (m_editor) {
                RECT client{};
                GetClientRect(m_window, &client);
                SetWindowPos(m_editor->window(), nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER);
            }
            return 0;
        case WM_COMMAND:
            if (lParam == 0 && m_menus && m_menus->command(LOWORD(wParam)))
                return 0;
            break;
        case WM_INITMENUPOPUP:
            if (m_menus)
                m_menus->aboutToOpen(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
            if (message == WM_ENTERMENULOOP)
                ModalLoopTurns::enter();
            else
                ModalLoopTurns::leave();
            if (m_menus)
                m_menus->menuLoop(message == WM_ENTERMENULOOP);
            return 0;
        case WM_ENTERSIZEMOVE:
            ModalLoopTurns::enter();
            return 0;
        case WM_EXITSIZEMOVE:
            ModalLoopTurns::leave();
            return 0;
        case MenuBarView::kRebuildMessage:
            if (m_menus)
                m_menus->rebuildIfPending();
            return 0;
        case WM_SETCURSOR:
            if (busyPointer && busyPointer()) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_DPICHANGED:
            changeDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_DESTROY:
            if (destroyed)
                destroyed();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}
