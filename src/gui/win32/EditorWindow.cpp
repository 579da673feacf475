#include "gui/win32/EditorWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "editor/Form1.h"
#include "gui/win32/ControlViews.h"
#include "gui/win32/EditorLayout.h"
#include "gui/win32/FormGrid.h"
#include "gui/win32/ToolTips.h"
#include "gui/win32/Win32Fonts.h"
#include "platform/win32/desktop/WideText.h"

namespace {

const wchar_t* const kFrameClass = L"KVT3310Form";
const wchar_t* const kPageClass = L"KVT3310FormPage";
constexpr UINT kRelayout = WM_APP + 1;

void registerClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

template <typename T>
T* self(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        return object;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

/// `text` cut to fit `width` in the window's font, ending in "…" where it was cut.
std::wstring elided(HWND window, const std::wstring& text, int width) {
    if (FormGrid::textWidth(window, text) <= width)
        return text;
    std::size_t fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = (fits + tooLong) / 2;
        (FormGrid::textWidth(window, text.substr(0, middle) + L"\u2026") <= width ? fits : tooLong) = middle;
    }
    return text.substr(0, fits) + L"\u2026";
}

}  // namespace

EditorWindow::EditorWindow(HWND parent, Form1& form, Win32Fonts& fonts) : m_form(form), m_fonts(fonts) {
    registerClass(kFrameClass, frameProc);
    registerClass(kPageClass, pageProc);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, L"Form1",
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, 0, 0, 0, 0, parent,
                               nullptr, instance, this);
    m_page = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"Form1_page", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                             m_window, nullptr, instance, this);
    m_status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_window, nullptr, instance,
                               nullptr);
    DragAcceptFiles(m_page, TRUE);

    m_views = std::make_unique<ControlViews>(m_page, fonts);
    m_layout = std::make_unique<EditorLayout>(form, *m_views, fonts);
    m_views->layoutChanged = [this] {
        // A change of language changes many captions one after another; the layout follows once they are done.
        if (!m_layoutPending) {
            m_layoutPending = true;
            PostMessageW(m_window, kRelayout, 0, 0);
        }
    };
    m_statusConnection = form.sbrStatus.changed().connect([this] { refreshStatus(); });
    relayout();
}

EditorWindow::~EditorWindow() {
    m_form.sbrStatus.changed().disconnect(m_statusConnection);
    // The controls go with the windows; their views stop following the models first.
    m_views.reset();
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    SetWindowLongPtrW(m_page, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

HWND EditorWindow::find(const std::string& name) const {
    if (name == "sbrStatus")
        return m_status;
    return m_views->find(name);
}

void EditorWindow::relayout() {
    m_layoutPending = false;
    SendMessageW(m_status, WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts.font()), TRUE);
    SendMessageW(m_status, WM_SIZE, 0, 0);
    const SIZE content = m_layout->arrange();
    const bool changed = content.cx != m_content.cx || content.cy != m_content.cy;
    m_content = content;
    refreshStatus();
    placePage();
    if (changed && contentResized)
        contentResized();
    // Controls moved under others leave their old pixels behind unless the whole form is drawn again.
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

SIZE EditorWindow::sizeHint() const {
    RECT status{};
    GetWindowRect(m_status, &status);
    return {m_content.cx, m_content.cy + (status.bottom - status.top)};
}

void EditorWindow::refreshStatus() {
    const StatusBar& bar = m_form.sbrStatus;
    RECT client{};
    GetClientRect(m_window, &client);
    const int pad = m_fonts.scale(12);
    const int third = std::max(FormGrid::textWidth(m_status, L"00:00:00"),
                               FormGrid::textWidth(m_status, WideText::wide(bar.panelText(3)))) +
                      pad;
    const int second = std::max(FormGrid::textWidth(m_status, L"RS232 PORT: COM2 115200,N,8,2"),
                                FormGrid::textWidth(m_status, WideText::wide(bar.panelText(2)))) +
                       pad;
    const int width = std::max(static_cast<int>(client.right), static_cast<int>(m_content.cx));
    int edges[3] = {std::max(0, width - second - third), std::max(0, width - third), -1};
    SendMessageW(m_status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    // A text longer than its panel ends in "…" and shows whole as the panel's tip; the form never widens for it.
    for (int p = 1; p <= StatusBar::kPanels; ++p) {
        const auto part = static_cast<UINT>(p - 1);
        RECT area{};
        SendMessageW(m_status, SB_GETRECT, part, reinterpret_cast<LPARAM>(&area));
        const std::wstring whole = WideText::wide(bar.panelText(p));
        const std::wstring shown = elided(m_status, whole, area.right - area.left - m_fonts.scale(8));
        SendMessageW(m_status, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(shown.c_str()));
        m_views->tips().setAreaTip(m_status, part + 1, area, shown == whole ? std::wstring() : whole);
    }
}

void EditorWindow::placePage() {
    RECT outer{}, status{};
    GetWindowRect(m_window, &outer);
    GetWindowRect(m_status, &status);
    // Whether a scroll bar is needed follows from the whole window, not from a client area that shrank for
    // scroll bars shown before.
    const int statusHeight = status.bottom - status.top;
    int viewWidth = outer.right - outer.left;
    int viewHeight = std::max(0, static_cast<int>(outer.bottom - outer.top) - statusHeight);
    const bool horizontal = m_content.cx > viewWidth;
    if (horizontal)
        viewHeight -= GetSystemMetrics(SM_CYHSCROLL);
    const bool vertical = m_content.cy > viewHeight;
    if (vertical)
        viewWidth -= GetSystemMetrics(SM_CXVSCROLL);
    ShowScrollBar(m_window, SB_HORZ, horizontal || m_content.cx > viewWidth);
    ShowScrollBar(m_window, SB_VERT, vertical);
    // A larger window keeps the form together in its middle; a smaller one scrolls it.
    for (int bar : {SB_HORZ, SB_VERT}) {
        const int view = bar == SB_HORZ ? viewWidth : viewHeight;
        const int content = bar == SB_HORZ ? m_content.cx : m_content.cy;
        LONG& offset = bar == SB_HORZ ? m_offset.x : m_offset.y;
        offset = std::clamp<LONG>(offset, 0, std::max(0, content - view));
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_PAGE | SIF_POS | SIF_RANGE;
        info.nMax = content - 1;
        info.nPage = static_cast<UINT>(std::max(0, view));
        info.nPos = static_cast<int>(offset);
        SetScrollInfo(m_window, bar, &info, TRUE);
    }
    const int x = m_content.cx < viewWidth ? (viewWidth - m_content.cx) / 2 : -m_offset.x;
    const int y = m_content.cy < viewHeight ? (viewHeight - m_content.cy) / 2 : -m_offset.y;
    SetWindowPos(m_page, nullptr, x, y, m_content.cx, m_content.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditorWindow::scroll(int bar, WPARAM wParam) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(m_window, bar, &info);
    int position = info.nPos;
    const int line = m_fonts.scale(20);
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            position -= line;
            break;
        case SB_LINEDOWN:
            position += line;
            break;
        case SB_PAGEUP:
            position -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            position += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        default:
            return;
    }
    (bar == SB_HORZ ? m_offset.x : m_offset.y) = position;
    placePage();
}

void EditorWindow::dropFiles(HDROP drop) {
    POINT point{};
    DragQueryPoint(drop, &point);
    // One file at a time, as a slot holds one.
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        std::wstring path(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size())));
        DragFinish(drop);
        m_views->drop(point, WideText::utf8(path));
        return;
    }
    DragFinish(drop);
}

LRESULT CALLBACK EditorWindow::frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* editor = self<EditorWindow>(window, message, lParam);
    if (editor && editor->m_window == window)
        return editor->onFrame(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK EditorWindow::pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* editor = self<EditorWindow>(window, message, lParam);
    if (editor && editor->m_page == window)
        return editor->onPage(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT EditorWindow::onFrame(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            SendMessageW(m_status, WM_SIZE, 0, 0);
            refreshStatus();
            placePage();
            // The page moves with the size (a restore from maximised): the form is drawn again where it went.
            RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return 0;
        case WM_HSCROLL:
            scroll(SB_HORZ, wParam);
            return 0;
        case WM_VSCROLL:
            scroll(SB_VERT, wParam);
            return 0;
        case kRelayout:
            if (m_layoutPending)
                relayout();
            return 0;
        default:
            return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

LRESULT EditorWindow::onPage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (m_views && m_views->command(wParam, lParam))
                return 0;
            break;
        case WM_DRAWITEM:
            if (m_views && m_views->drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
                return TRUE;
            break;
        case WM_DROPFILES:
            if (m_views)
                dropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_page, message, wParam, lParam);
}
