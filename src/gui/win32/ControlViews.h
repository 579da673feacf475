#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/win32/PictureDrawing.h"

class CheckBox;
class ComboBox;
class CommandButton;
class Control;
class Label;
class Picture;
class ProgressBar;
class TextBox;
class ToolTips;
class Win32Fonts;

/// Makes the child windows of one parent window, each mirroring a control model and passing the user's input
/// to it: a model change shows in the window at once, a click, a pick or typing reaches the model. Each window
/// is named after its control ("WaveFile_3") for `find`. The parent hands its WM_COMMAND, WM_DRAWITEM and
/// WM_DROPFILES here.
class ControlViews {
public:
    enum class Align { left, centre, right };
    /// What a picture shows; the view draws it.
    using Drawing = PictureDrawing::Kind;

    ControlViews(HWND parent, Win32Fonts& fonts);
    ~ControlViews();
    ControlViews(const ControlViews&) = delete;
    ControlViews& operator=(const ControlViews&) = delete;

    HWND label(Label& model, const std::string& name, Align align);
    HWND group(Label& model, const std::string& name);
    HWND button(CommandButton& model, const std::string& name);
    HWND edit(TextBox& model, const std::string& name);
    HWND combo(ComboBox& model, const std::string& name);
    HWND check(CheckBox& model, const std::string& name);
    HWND progress(ProgressBar& model, const std::string& name);
    HWND picture(Picture& model, const std::string& name, Drawing drawing);
    /// A file dropped on `window` goes to `box` as a file dropped on the box itself does.
    void dropTarget(HWND window, TextBox& box);

    bool command(WPARAM wParam, LPARAM lParam);
    bool drawItem(const DRAWITEMSTRUCT& item);
    /// Hands a file dropped at `point` (client coordinates of the parent) to the box under it; true when a box
    /// took it.
    bool drop(POINT point, const std::string& path);

    HWND find(const std::string& name) const;
    const std::map<std::string, HWND>& windows() const { return m_named; }
    /// The tips of these windows (each control's `toolTipText`) and of others on the same form.
    ToolTips& tips() { return *m_tips; }
    /// Takes the fonts again, after the resolution changed.
    void refreshFonts();

    /// Runs after a caption or a visibility changed, which may need another layout.
    std::function<void()> layoutChanged;

private:
    HWND make(const wchar_t* windowClass, DWORD style, const std::string& name);
    void follow(Control& model, HWND window, std::function<void()> refresh);
    void mirrorCommon(HWND window, const Control& model);
    void setText(HWND window, const std::string& text);
    static LRESULT CALLBACK comboKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);

    HWND m_parent;
    Win32Fonts& m_fonts;
    std::unique_ptr<ToolTips> m_tips;
    int m_nextId = 1000;
    std::map<int, std::function<void(int code)>> m_commands;
    std::map<HWND, Drawing> m_drawings;
    std::map<HWND, TextBox*> m_dropTargets;
    std::map<std::string, HWND> m_named;
    std::vector<std::pair<Control*, int>> m_connections;
    std::vector<std::function<void()>> m_refreshes;
    bool m_updating = false;
};
