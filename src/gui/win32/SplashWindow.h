#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class Control;
class Win32Fonts;
class frmSplash;

/// The splash and About window: the labels of `frmSplash` in their design fonts (in the character set each
/// asks for) beside the dark band of the picture, and the OK button of the About role. The splash has no
/// frame and stands in the middle of the screen; the About window has one and stands over its owner. A key
/// or a click goes to the model.
class SplashWindow {
public:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 360;
    static constexpr double kBandPart = 0.24;

    SplashWindow(frmSplash& model, Win32Fonts& fonts);
    ~SplashWindow();
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    HWND window() const { return m_window; }
    HWND label(int k) const { return m_labels[static_cast<std::size_t>(k)]; }
    HWND closeButton() const { return m_close; }
    /// The window the About role is centred on.
    void setOwner(HWND owner) { m_owner = owner; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT on(UINT message, WPARAM wParam, LPARAM lParam);
    void refresh();
    void arrange();
    void placeAndShow();
    void paint();
    void watch(Control& control, std::function<void()> refresh);

    frmSplash& m_model;
    Win32Fonts& m_fonts;
    HWND m_window = nullptr;
    HWND m_owner = nullptr;
    std::array<HWND, 10> m_labels{};
    HWND m_close = nullptr;
    HBRUSH m_light = nullptr;
    std::vector<std::pair<Control*, int>> m_connections;
    bool m_about = false;
    POINT m_place{0, 0};
};
