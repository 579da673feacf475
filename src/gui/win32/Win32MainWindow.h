#pragma once

#include <windows.h>

#include <functional>
#include <memory>

class EditorWindow;
class Form1;
class MDIKVT3310;
class MenuBarView;
class Win32Fonts;

/// The main window (window class "KVT3310Window"): the menu bar of `MDIKVT3310` over the editor, the caption
/// and enabled state of the model (an upload disables the whole window). It takes the size that shows the whole
/// editor within the work area of its screen, again whenever the editor's size changes; its close box asks the
/// model, which may refuse.
class Win32MainWindow {
public:
    static constexpr const wchar_t* kWindowClass = L"KVT3310Window";

    Win32MainWindow(MDIKVT3310& mdi, Form1& form, Win32Fonts& fonts);
    ~Win32MainWindow();
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND window() const { return m_window; }
    EditorWindow& editor() const { return *m_editor; }
    MenuBarView& menus() const { return *m_menus; }

    void show();
    /// Takes the size that shows the whole editor within the work area, unless maximised.
    void fitToContent();
    /// Closes the window without asking the model: the close has already gone ahead.
    void takeDown();
    /// Shows the window in its normal state and brings it to the front, as a second copy asks.
    void showNormalAndRaise();
    /// Handles the shortcuts and the keyboard moving between controls; true when `message` was taken.
    bool translate(MSG& message);

    /// True while the hourglass must show over the window (the screen's pointer).
    std::function<bool()> busyPointer;
    /// Runs once the window is gone.
    std::function<void()> destroyed;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT on(UINT message, WPARAM wParam, LPARAM lParam);
    void close();
    void refresh();
    void changeDpi(int dpi, const RECT* suggested);

    MDIKVT3310& m_mdi;
    Win32Fonts& m_fonts;
    HWND m_window = nullptr;
    std::unique_ptr<MenuBarView> m_menus;
    std::unique_ptr<EditorWindow> m_editor;
    int m_connection = 0;
    bool m_closeApproved = false;
    bool m_asking = false;
};
