#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class ControlViews;
class EditorLayout;
class Form1;
class Win32Fonts;

/// The editor window: a child of the main window holding every control of `Form1` on a page, named after the
/// control ("WaveFile_3", "TRG1_17"), and the status bar with its three panels at the bottom. The page scrolls
/// when the window is smaller than the form and stays centred in a larger one. A WAVE file dropped on a slot's
/// name box or Browse button goes to the slot as a file chosen with Browse.
class EditorWindow {
public:
    EditorWindow(HWND parent, Form1& form, Win32Fonts& fonts);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    HWND window() const { return m_window; }
    HWND page() const { return m_page; }
    HWND statusBar() const { return m_status; }
    /// The child window of control `name`, or null.
    HWND find(const std::string& name) const;
    ControlViews& views() const { return *m_views; }

    /// The size that shows the whole form and the status bar.
    SIZE sizeHint() const;
    /// Lays the form out again at once (after the fonts changed).
    void relayout();

    /// The form needs another size, as after a change of language.
    std::function<void()> contentResized;

private:
    static LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onFrame(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onPage(UINT message, WPARAM wParam, LPARAM lParam);
    void placePage();
    void scroll(int bar, WPARAM wParam);
    void refreshStatus();
    void dropFiles(HDROP drop);

    Form1& m_form;
    Win32Fonts& m_fonts;
    HWND m_window = nullptr;
    HWND m_page = nullptr;
    HWND m_status = nullptr;
    std::unique_ptr<ControlViews> m_views;
    std::unique_ptr<EditorLayout> m_layout;
    SIZE m_content{0, 0};
    POINT m_offset{0, 0};
    bool m_layoutPending = false;
    int m_statusConnection = 0;
};
