#include "gui/win32/ControlViews.h"

#include <commctrl.h>

#include "gui/win32/PictureDrawing.h"
#include "gui/win32/ToolTips.h"
#include "gui/win32/Win32Fonts.h"
#include "platform/CheckBox.h"
#include "platform/ComboBox.h"
#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "platform/Picture.h"
#include "platform/ProgressBar.h"
#include "platform/TextBox.h"
#include "platform/win32/desktop/WideText.h"

namespace {

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

DWORD alignStyle(ControlViews::Align align) {
    switch (align) {
        case ControlViews::Align::centre:
            return SS_CENTER;
        case ControlViews::Align::right:
            return SS_RIGHT;
        default:
            return SS_LEFT;
    }
}

}  // namespace

ControlViews::ControlViews(HWND parent, Win32Fonts& fonts)
    : m_parent(parent), m_fonts(fonts), m_tips(std::make_unique<ToolTips>(parent)) {}

ControlViews::~ControlViews() {
    for (auto [control, id] : m_connections)
        control->changed().disconnect(id);
}

HWND ControlViews::make(const wchar_t* windowClass, DWORD style, const std::string& name) {
    const int id = m_nextId++;
    HWND window =
        CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    m_named[name] = window;
    return window;
}

void ControlViews::follow(Control& model, HWND, std::function<void()> refresh) {
    m_connections.emplace_back(&model, model.changed().connect(refresh));
    m_refreshes.push_back(refresh);
    refresh();
}

void ControlViews::refreshFonts() {
    for (const auto& refresh : m_refreshes)
        refresh();
}

void ControlViews::mirrorCommon(HWND window, const Control& model) {
    EnableWindow(window, model.enabled());
    m_tips->setWindowTip(window, WideText::wide(model.toolTipText()));
    const bool shown = IsWindowVisible(window) || (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE);
    if (shown != model.visible()) {
        ShowWindow(window, model.visible() ? SW_SHOWNA : SW_HIDE);
        if (layoutChanged)
            layoutChanged();
    }
    HFONT font = m_fonts.font(model.charset(), model.fontSize());
    if (reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) != font) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (layoutChanged)
            layoutChanged();
    }
}

void ControlViews::setText(HWND window, const std::string& text) {
    const std::wstring wide = WideText::wide(text);
    // Rewriting an equal text would move the cursor of a user who is typing.
    if (windowText(window) == wide)
        return;
    m_updating = true;
    SetWindowTextW(window, wide.c_str());
    m_updating = false;
    if (layoutChanged)
        layoutChanged();
}

HWND ControlViews::label(Label& model, const std::string& name, Align align) {
    HWND window = make(L"STATIC", alignStyle(align) | SS_NOPREFIX | SS_CENTERIMAGE, name);
    follow(model, window, [this, window, &model] {
        mirrorCommon(window, model);
        setText(window, model.caption());
    });
    return window;
}

HWND ControlViews::group(Label& model, const std::string& name) {
    HWND window = make(L"BUTTON", BS_GROUPBOX, name);
    follow(model, window, [this, window, &model] {
        mirrorCommon(window, model);
        setText(window, model.caption());
    });
    return window;
}

HWND ControlViews::button(CommandButton& model, const std::string& name) {
    HWND window = make(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, name);
    follow(model, window, [this, window, &model] {
        mirrorCommon(window, model);
        setText(window, model.caption());
    });
    m_commands[GetDlgCtrlID(window)] = [&model](int code) {
        if (code == BN_CLICKED)
            model.click();
    };
    return window;
}

HWND ControlViews::edit(TextBox& model, const std::string& name) {
    HWND window = make(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, name);
    SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    follow(model, window, [this, window, &model] {
        mirrorCommon(window, model);
        SendMessageW(window, EM_SETREADONLY, model.locked(), 0);
        setText(window, model.text());
    });
    m_commands[GetDlgCtrlID(window)] = [this, window, &model](int code) {
        if (code == EN_CHANGE && !m_updating)
            model.setText(WideText::utf8(windowText(window)));
    };
    return window;
}

HWND ControlViews::combo(ComboBox& model, const std::string& name) {
    HWND window = make(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, name);
    auto refresh = [this, window, &model] {
        mirrorCommon(window, model);
        std::vector<std::wstring> shown;
        const auto count = SendMessageW(window, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring item(static_cast<std::size_t>(SendMessageW(window, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
            item.resize(
                static_cast<std::size_t>(SendMessageW(window, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
            shown.push_back(item);
        }
        std::vector<std::wstring> items;
        for (const auto& item : model.list())
            items.push_back(WideText::wide(item));
        if (shown != items) {
            SendMessageW(window, CB_RESETCONTENT, 0, 0);
            for (const auto& item : items)
                SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(model.listIndex()), 0);
    };
    follow(model, window, refresh);
    SetWindowSubclass(window, comboKeys, 1, reinterpret_cast<DWORD_PTR>(&model));
    m_commands[GetDlgCtrlID(window)] = [window, &model, refresh](int code) {
        const auto index = static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
        const bool dropped = SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
        switch (code) {
            case CBN_DROPDOWN:
                model.dropDown();
                break;
            case CBN_SELENDOK:
                // A pick in the open list; typing in the closed box changes the selection at once.
                if (index >= 0 && dropped)
                    model.pick(index);
                break;
            case CBN_SELCHANGE:
                if (index >= 0 && !dropped && index != model.listIndex())
                    model.pick(index);
                break;
            case CBN_SELENDCANCEL:
                refresh();
                break;
            case CBN_KILLFOCUS:
                model.lostFocus();
                break;
            default:
                return;
        }
    };
    return window;
}

LRESULT CALLBACK ControlViews::comboKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    // The key codes of the system are the ones the model's handlers take.
    static thread_local bool swallowChar = false;
    if (message == WM_KEYDOWN) {
        int code = static_cast<int>(wParam);
        int shift = 0;
        if (GetKeyState(VK_SHIFT) < 0)
            shift |= 1;
        if (GetKeyState(VK_CONTROL) < 0)
            shift |= 2;
        if (GetKeyState(VK_MENU) < 0)
            shift |= 4;
        reinterpret_cast<ComboBox*>(data)->keyDown(code, shift);
        swallowChar = code == 0;
        if (code == 0)
            return 0;
    } else if (message == WM_CHAR && swallowChar) {
        swallowChar = false;
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

HWND ControlViews::check(CheckBox& model, const std::string& name) {
    HWND window = make(L"BUTTON", BS_CHECKBOX | WS_TABSTOP, name);
    auto refresh = [this, window, &model] {
        mirrorCommon(window, model);
        SendMessageW(window, BM_SETCHECK, model.value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    follow(model, window, refresh);
    m_commands[GetDlgCtrlID(window)] = [&model, refresh](int code) {
        if (code != BN_CLICKED)
            return;
        model.click();
        // The model decides what the box shows.
        refresh();
    };
    return window;
}

HWND ControlViews::progress(ProgressBar& model, const std::string& name) {
    HWND window = make(PROGRESS_CLASSW, PBS_SMOOTH, name);
    follow(model, window, [this, window, &model] {
        mirrorCommon(window, model);
        SendMessageW(window, PBM_SETRANGE32, static_cast<WPARAM>(model.min()),
                     model.max() > model.min() ? model.max() : model.min() + 1);
        SendMessageW(window, PBM_SETPOS, static_cast<WPARAM>(model.value()), 0);
    });
    return window;
}

HWND ControlViews::picture(Picture& model, const std::string& name, Drawing drawing) {
    HWND window = make(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, name);
    m_drawings[window] = drawing;
    follow(model, window, [this, window, &model] { mirrorCommon(window, model); });
    m_commands[GetDlgCtrlID(window)] = [&model](int code) {
        if (code == STN_CLICKED)
            model.click();
    };
    return window;
}

void ControlViews::dropTarget(HWND window, TextBox& box) {
    m_dropTargets[window] = &box;
}

bool ControlViews::command(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0)
        return false;
    auto it = m_commands.find(LOWORD(wParam));
    if (it == m_commands.end())
        return false;
    // The handler may destroy this very object (a change of language rebuilds nothing, but the close does).
    auto handler = it->second;
    handler(HIWORD(wParam));
    return true;
}

bool ControlViews::drawItem(const DRAWITEMSTRUCT& item) {
    auto it = m_drawings.find(item.hwndItem);
    if (it == m_drawings.end())
        return false;
    PictureDrawing::draw(item.hDC, item.rcItem, it->second);
    return true;
}

bool ControlViews::drop(POINT point, const std::string& path) {
    // The group boxes lie over the rows as siblings: the targets themselves are asked where they are.
    TextBox* target = nullptr;
    for (const auto& [window, box] : m_dropTargets) {
        RECT rect{};
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, m_parent, reinterpret_cast<POINT*>(&rect), 2);
        if (IsWindowVisible(window) && PtInRect(&rect, point))
            target = box;
    }
    if (!target)
        return false;
    TextBox& box = *target;
    if (!box.AcceptsDrop || !box.AcceptsDrop())
        return false;
    if (box.OLEDragDrop)
        box.OLEDragDrop(path);
    return true;
}

HWND ControlViews::find(const std::string& name) const {
    auto it = m_named.find(name);
    return it == m_named.end() ? nullptr : it->second;
}
