#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

/// The fonts of the program's windows at one resolution: the system's message font, in the character set and
/// size a control asks for (`Control::charset`, `Control::fontSize`). The fonts live as long as this object
/// or until the resolution changes.
class Win32Fonts {
public:
    explicit Win32Fonts(int dpi);
    ~Win32Fonts();
    Win32Fonts(const Win32Fonts&) = delete;
    Win32Fonts& operator=(const Win32Fonts&) = delete;

    int dpi() const { return m_dpi; }
    /// Drops the fonts made so far: windows must take their fonts again.
    void setDpi(int dpi);
    /// Pixels for a length in pixels at 96 dots per inch.
    int scale(int pixels) const { return MulDiv(pixels, m_dpi, 96); }

    /// `points` 0 is the system's size; `face` empty the system's face.
    HFONT font(int charset = 0, double points = 0, bool bold = false, const wchar_t* face = nullptr);

private:
    void clear();

    int m_dpi;
    LOGFONTW m_base{};
    int m_basePoints = 9;
    std::map<std::tuple<int, int, bool, std::wstring>, HFONT> m_fonts;
};
