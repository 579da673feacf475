#include "gui/win32/Win32Fonts.h"

#include <cmath>
#include <string>

Win32Fonts::Win32Fonts(int dpi) : m_dpi(dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        m_base = metrics.lfMessageFont;
        // The system gives its font at its own resolution: the size in points is what carries over.
        HDC screen = GetDC(nullptr);
        const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        if (m_base.lfHeight < 0 && systemDpi > 0)
            m_basePoints = static_cast<int>(std::lround(-m_base.lfHeight * 72.0 / systemDpi));
    } else {
        wcscpy_s(m_base.lfFaceName, L"Tahoma");
    }
    if (m_basePoints <= 0)
        m_basePoints = 9;
}

Win32Fonts::~Win32Fonts() {
    clear();
}

void Win32Fonts::clear() {
    for (auto& entry : m_fonts)
        DeleteObject(entry.second);
    m_fonts.clear();
}

void Win32Fonts::setDpi(int dpi) {
    if (dpi == m_dpi)
        return;
    clear();
    m_dpi = dpi;
}

HFONT Win32Fonts::font(int charset, double points, bool bold, const wchar_t* face) {
    const int tenths = static_cast<int>(std::lround((points > 0 ? points : m_basePoints) * 10));
    const std::wstring faceName = face ? face : L"";
    const auto key = std::make_tuple(charset, tenths, bold, faceName);
    if (auto it = m_fonts.find(key); it != m_fonts.end())
        return it->second;
    LOGFONTW font = m_base;
    font.lfHeight = -static_cast<LONG>(std::lround(tenths * m_dpi / 720.0));
    font.lfWidth = 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = static_cast<BYTE>(charset == 0 ? DEFAULT_CHARSET : charset);
    font.lfQuality = CLEARTYPE_QUALITY;
    if (face)
        wcsncpy_s(font.lfFaceName, face, LF_FACESIZE - 1);
    HFONT made = CreateFontIndirectW(&font);
    m_fonts.emplace(key, made);
    return made;
}
