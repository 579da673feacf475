#include "gui/win32/PictureDrawing.h"

#include <algorithm>

namespace {

/// Selects a pen and a brush into the device context for as long as it lives, and deletes them after.
class Pencils {
public:
    Pencils(HDC dc, COLORREF line, COLORREF fill, int width)
        : m_dc(dc), m_pen(CreatePen(PS_SOLID, width, line)), m_brush(CreateSolidBrush(fill)) {
        m_oldPen = SelectObject(dc, m_pen);
        m_oldBrush = SelectObject(dc, m_brush);
    }
    ~Pencils() {
        SelectObject(m_dc, m_oldPen);
        SelectObject(m_dc, m_oldBrush);
        DeleteObject(m_pen);
        DeleteObject(m_brush);
    }
    Pencils(const Pencils&) = delete;
    Pencils& operator=(const Pencils&) = delete;

private:
    HDC m_dc;
    HPEN m_pen;
    HBRUSH m_brush;
    HGDIOBJ m_oldPen;
    HGDIOBJ m_oldBrush;
};

/// A plug: a body with two pins, pointing right from `x` at height `y`.
void plug(HDC dc, int x, int y, int unit, COLORREF colour, bool pinsRight) {
    Pencils pencils(dc, RGB(40, 40, 40), colour, std::max(1, unit / 3));
    const int bodyW = 3 * unit, bodyH = 4 * unit;
    Rectangle(dc, x, y - bodyH / 2, x + bodyW, y + bodyH / 2);
    const int pinX = pinsRight ? x + bodyW : x - 2 * unit;
    Rectangle(dc, pinX, y - bodyH / 4 - unit / 2, pinX + 2 * unit, y - bodyH / 4 + unit / 2);
    Rectangle(dc, pinX, y + bodyH / 4 - unit / 2, pinX + 2 * unit, y + bodyH / 4 + unit / 2);
}

}  // namespace

namespace PictureDrawing {

void draw(HDC dc, const RECT& area, Kind drawing) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const int size = std::min(area.right - area.left, area.bottom - area.top);
    const int unit = std::max(1, size / 16);
    const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
    switch (drawing) {
        case Kind::notConnected:
            plug(dc, cx - 7 * unit, cy, unit, RGB(200, 40, 40), true);
            plug(dc, cx + 4 * unit, cy, unit, RGB(200, 40, 40), false);
            break;
        case Kind::connected:
            plug(dc, cx - 5 * unit, cy, unit, RGB(40, 160, 60), true);
            plug(dc, cx + 2 * unit, cy, unit, RGB(40, 160, 60), false);
            break;
        case Kind::playing: {
            Pencils pencils(dc, RGB(30, 60, 120), RGB(60, 110, 200), std::max(1, unit / 2));
            const POINT speaker[] = {{cx - 6 * unit, cy - 2 * unit}, {cx - 3 * unit, cy - 2 * unit},
                                     {cx + 1 * unit, cy - 6 * unit}, {cx + 1 * unit, cy + 6 * unit},
                                     {cx - 3 * unit, cy + 2 * unit}, {cx - 6 * unit, cy + 2 * unit}};
            Polygon(dc, speaker, 6);
            for (int wave = 1; wave <= 2; ++wave) {
                const int r = (2 + 2 * wave) * unit;
                Arc(dc, cx + unit - r, cy - r, cx + unit + r, cy + r, cx + unit + r, cy + r, cx + unit + r, cy - r);
            }
            break;
        }
    }
}

}  // namespace PictureDrawing
