#include "gui/win32/SplashWindow.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "gui/win32/Win32Fonts.h"
#include "platform/win32/desktop/WideText.h"
#include "shell/frmSplash.h"

namespace {

const wchar_t* const kClass = L"KVT3310Splash";
constexpr int kCloseId = 1;
constexpr UINT_PTR kSettleTimer = 1;
constexpr UINT kSettleMs = 150;
constexpr COLORREF kLight = RGB(240, 244, 250);
constexpr COLORREF kBand = RGB(22, 38, 58);
constexpr COLORREF kStripe = RGB(236, 122, 28);
const DWORD kSplashStyle = WS_POPUP | WS_BORDER;
const DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

}  // namespace

SplashWindow::SplashWindow(frmSplash& model, Win32Fonts& fonts) : m_model(model), m_fonts(fonts) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    m_light = CreateSolidBrush(kLight);
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"KVT3310", kSplashStyle, 0, 0, fonts.scale(kWidth),
                               fonts.scale(kHeight), nullptr, nullptr, wc.hInstance, this);
    for (auto& label : m_labels)
        label = CreateWindowExW(WS_EX_TRANSPARENT, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                                m_window, nullptr, wc.hInstance, nullptr);
    m_close = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, m_window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), wc.hInstance, nullptr);
    for (auto& label : m_model.Lb_Logo)
        watch(label, [this] { refresh(); });
    watch(m_model.Bt_Close, [this] { refresh(); });
    watch(m_model, [this] { refresh(); });
    refresh();
}

SplashWindow::~SplashWindow() {
    for (auto [control, id] : m_connections)
        control->changed().disconnect(id);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
    DeleteObject(m_light);
}

void SplashWindow::watch(Control& control, std::function<void()> refresh) {
    m_connections.emplace_back(&control, control.changed().connect(std::move(refresh)));
}

void SplashWindow::refresh() {
    for (int k = 0; k < frmSplash::kLabels; ++k) {
        const Label& model = m_model.Lb_Logo[static_cast<std::size_t>(k)];
        HWND label = m_labels[static_cast<std::size_t>(k)];
        SetWindowTextW(label, WideText::wide(model.caption()).c_str());
        const double points =
            model.fontSize() > 0 ? model.fontSize() : frmSplash::kLogoPoints[static_cast<std::size_t>(k)];
        HFONT font = m_fonts.font(model.charset(), points, frmSplash::kLogoBold[static_cast<std::size_t>(k)], L"Arial");
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        ShowWindow(label, model.visible() && !model.caption().empty() ? SW_SHOWNA : SW_HIDE);
    }
    SetWindowTextW(m_close, WideText::wide(m_model.Bt_Close.caption()).c_str());
    SendMessageW(m_close, WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts.font()), FALSE);
    ShowWindow(m_close, m_model.Bt_Close.visible() ? SW_SHOWNA : SW_HIDE);
    EnableWindow(m_close, m_model.Bt_Close.enabled());
    if (m_model.aboutRole())
        SetWindowTextW(m_window, WideText::wide(m_model.Caption).c_str());
    arrange();
    // The model may show the window before it takes the About role: the role places it again.
    if (m_model.visible() && (!IsWindowVisible(m_window) || m_about != m_model.aboutRole())) {
        placeAndShow();
    } else if (!m_model.visible() && IsWindowVisible(m_window)) {
        ShowWindow(m_window, SW_HIDE);
    }
    if (m_model.Bt_Close.visible() && IsWindowVisible(m_window))
        SetFocus(m_close);
}

void SplashWindow::arrange() {
    const int band = static_cast<int>(std::ceil(kBandPart * m_fonts.scale(kWidth)));
    const int left = band + m_fonts.scale(16);
    const int right = m_fonts.scale(20);
    const int width = m_fonts.scale(kWidth) - left - right;
    int y = m_fonts.scale(18);
    for (int k = 0; k < frmSplash::kLabels; ++k) {
        HWND label = m_labels[static_cast<std::size_t>(k)];
        if (!(GetWindowLongW(label, GWL_STYLE) & WS_VISIBLE))
            continue;
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        RECT box{0, 0, width, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        SetWindowPos(label, nullptr, left, y, width, box.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        y += box.bottom + m_fonts.scale(2);
        // The title lines stand apart from the notices below them.
        if (k == 0)
            y += m_fonts.scale(12);
        if (k == 3)
            y += m_fonts.scale(24);
    }
    const int buttonWidth = m_fonts.scale(80), buttonHeight = m_fonts.scale(26);
    const int height =
        std::max(m_fonts.scale(kHeight),
                 y + m_fonts.scale(8) + (m_model.Bt_Close.visible() ? buttonHeight : 0) + m_fonts.scale(14));
    SetWindowPos(m_close, nullptr, m_fonts.scale(kWidth) - right - buttonWidth,
                 height - m_fonts.scale(14) - buttonHeight, buttonWidth, buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT outer{0, 0, m_fonts.scale(kWidth), height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(m_window, GWL_EXSTYLE)));
    SetWindowPos(m_window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_window, nullptr, TRUE);
}

void SplashWindow::placeAndShow() {
    const bool about = m_model.aboutRole();
    m_about = about;
    SetWindowLongW(m_window, GWL_STYLE, static_cast<LONG>(about ? kAboutStyle : kSplashStyle));
    SetWindowLongPtrW(m_window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(about ? m_owner : nullptr));
    arrange();
    RECT frame{};
    GetWindowRect(m_window, &frame);
    const HWND owner = about && m_owner && IsWindowVisible(m_owner) ? m_owner : nullptr;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                          : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    RECT area = monitor.rcWork;
    if (owner)
        GetWindowRect(owner, &area);
    const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
    LONG x = (area.left + area.right - width) / 2, y = (area.top + area.bottom - height) / 2;
    // Kept on the screen, title bar first.
    x = std::max(std::min(x, monitor.rcWork.right - width), monitor.rcWork.left);
    y = std::max(std::min(y, monitor.rcWork.bottom - height), monitor.rcWork.top);
    SetWindowPos(m_window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    // A window manager may place a window its own way as it maps it, a moment later: once it has settled, the
    // window takes its place again.
    m_place = {x, y};
    SetTimer(m_window, kSettleTimer, kSettleMs, nullptr);
    SetForegroundWindow(m_window);
}

void SplashWindow::paint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(m_window, &ps);
    RECT client{};
    GetClientRect(m_window, &client);
    FillRect(dc, &client, m_light);
    const int band = static_cast<int>(std::ceil(kBandPart * m_fonts.scale(kWidth)));
    RECT dark{0, 0, band, client.bottom};
    HBRUSH bandBrush = CreateSolidBrush(kBand);
    FillRect(dc, &dark, bandBrush);
    DeleteObject(bandBrush);
    RECT stripe{band - m_fonts.scale(10), 0, band - m_fonts.scale(4), client.bottom};
    HBRUSH stripeBrush = CreateSolidBrush(kStripe);
    FillRect(dc, &stripe, stripeBrush);
    DeleteObject(stripeBrush);
    EndPaint(m_window, &ps);
}

LRESULT CALLBACK SplashWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SplashWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_window = window;
    }
    auto* self = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->on(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT SplashWindow::on(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            const bool title = reinterpret_cast<HWND>(lParam) == m_labels[0];
            SetTextColor(dc, title ? RGB(12, 42, 78) : RGB(20, 30, 40));
            return reinterpret_cast<LRESULT>(m_light);
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kCloseId && HIWORD(wParam) == BN_CLICKED) {
                m_model.Bt_Close.click();
                return 0;
            }
            break;
        case WM_KEYDOWN:
        case WM_CHAR:
            if (message == WM_CHAR)
                m_model.Form_KeyPress();
            return 0;
        case WM_TIMER:
            if (wParam == kSettleTimer) {
                KillTimer(m_window, kSettleTimer);
                SetWindowPos(m_window, nullptr, m_place.x, m_place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            m_model.Form_Click();
            return 0;
        case WM_CLOSE:
            // The window manager's close ends the window as its own ways do: the model decides what follows.
            if (m_model.visible())
                m_model.Form_KeyPress();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}
