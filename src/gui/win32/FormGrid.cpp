#include "gui/win32/FormGrid.h"

#include <algorithm>
#include <numeric>

#include "gui/win32/Win32Fonts.h"

namespace {

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

SIZE extent(HWND window, const std::wstring& text) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE size{0, 0};
    const std::wstring measured = text.empty() ? L"Ag" : text;
    GetTextExtentPoint32W(dc, measured.c_str(), static_cast<int>(measured.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    if (text.empty())
        size.cx = 0;
    return size;
}

/// A button's caption without the "&" that marks its letter.
std::wstring shownText(std::wstring text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

int FormGrid::textWidth(HWND window, const std::wstring& text) {
    return extent(window, text).cx;
}

int FormGrid::textHeight(HWND window) {
    return extent(window, L"").cy;
}

void FormGrid::add(HWND window, int row, int column, Kind kind, int span, const std::wstring& sample, SIZE fixed) {
    m_cells.push_back({window, row, column, span, kind, sample, fixed});
}

void FormGrid::setRowHeight(int row, int height) {
    if (static_cast<int>(m_minRows.size()) <= row)
        m_minRows.resize(static_cast<std::size_t>(row) + 1, 0);
    m_minRows[static_cast<std::size_t>(row)] = height;
}

SIZE FormGrid::natural(const Cell& cell) const {
    const std::wstring text = windowText(cell.window);
    const int lineHeight = textHeight(cell.window);
    const int sampleWidth = cell.sample.empty() ? 0 : textWidth(cell.window, cell.sample);
    switch (cell.kind) {
        case Kind::label:
        case Kind::heading:
            return {std::max(textWidth(cell.window, text), sampleWidth) + m_fonts.scale(2), lineHeight};
        case Kind::button:
            return {std::max(textWidth(cell.window, shownText(text)) + m_fonts.scale(16), sampleWidth),
                    lineHeight + m_fonts.scale(8)};
        case Kind::edit:
            return {sampleWidth + m_fonts.scale(8), lineHeight + m_fonts.scale(8)};
        case Kind::combo:
            return {sampleWidth + GetSystemMetrics(SM_CXVSCROLL) * m_fonts.dpi() / 96 + m_fonts.scale(10),
                    lineHeight + m_fonts.scale(8)};
        case Kind::check:
            return {m_fonts.scale(16), m_fonts.scale(16)};
        case Kind::rule:
            return {0, m_fonts.scale(2)};
        case Kind::fixed:
        default:
            return cell.fixed;
    }
}

SIZE FormGrid::measure(int columnSpacing, int rowSpacing) {
    m_columnSpacing = columnSpacing;
    m_rowSpacing = rowSpacing;
    int columns = 0, rows = 0;
    for (const Cell& cell : m_cells) {
        columns = std::max(columns, cell.column + cell.span);
        rows = std::max(rows, cell.row + 1);
    }
    rows = std::max(rows, static_cast<int>(m_minRows.size()));
    m_columns.assign(static_cast<std::size_t>(columns), 0);
    m_rows.assign(static_cast<std::size_t>(rows), 0);
    for (std::size_t r = 0; r < m_minRows.size(); ++r)
        m_rows[r] = m_minRows[r];
    for (Cell& cell : m_cells) {
        cell.size = natural(cell);
        auto& height = m_rows[static_cast<std::size_t>(cell.row)];
        height = std::max(height, static_cast<int>(cell.size.cy));
        if (cell.span == 1) {
            auto& width = m_columns[static_cast<std::size_t>(cell.column)];
            width = std::max(width, static_cast<int>(cell.size.cx));
        }
    }
    // A cell across columns widens the last of them where the columns are too narrow for it together.
    for (const Cell& cell : m_cells) {
        if (cell.span == 1)
            continue;
        const auto first = m_columns.begin() + cell.column;
        const int across = std::accumulate(first, first + cell.span, 0) + columnSpacing * (cell.span - 1);
        if (across < cell.size.cx)
            m_columns[static_cast<std::size_t>(cell.column + cell.span - 1)] += cell.size.cx - across;
    }
    const int width = std::accumulate(m_columns.begin(), m_columns.end(), 0) + columnSpacing * (columns - 1);
    const int height = std::accumulate(m_rows.begin(), m_rows.end(), 0) + rowSpacing * (rows - 1);
    return {std::max(width, 0), std::max(height, 0)};
}

void FormGrid::place(int x, int y) const {
    std::vector<int> left(m_columns.size()), top(m_rows.size());
    for (std::size_t c = 0, at = static_cast<std::size_t>(x); c < m_columns.size(); ++c) {
        left[c] = static_cast<int>(at);
        at += static_cast<std::size_t>(m_columns[c] + m_columnSpacing);
    }
    for (std::size_t r = 0, at = static_cast<std::size_t>(y); r < m_rows.size(); ++r) {
        top[r] = static_cast<int>(at);
        at += static_cast<std::size_t>(m_rows[r] + m_rowSpacing);
    }
    for (const Cell& cell : m_cells) {
        const auto c = static_cast<std::size_t>(cell.column);
        const auto r = static_cast<std::size_t>(cell.row);
        const int width =
            std::accumulate(m_columns.begin() + cell.column, m_columns.begin() + cell.column + cell.span, 0) +
            m_columnSpacing * (cell.span - 1);
        const int height = m_rows[r];
        int cx = left[c], cy = top[r], w = width, h = height;
        switch (cell.kind) {
            case Kind::heading:
                // Headings stand on the row below them.
                cy += height - cell.size.cy;
                h = cell.size.cy;
                break;
            case Kind::check:
            case Kind::fixed:
                cx += (width - cell.size.cx) / 2;
                cy += (height - cell.size.cy) / 2;
                w = cell.size.cx;
                h = cell.size.cy;
                break;
            case Kind::rule:
                cy += (height - cell.size.cy) / 2;
                h = cell.size.cy;
                break;
            case Kind::edit:
                // A one-line edit draws its text at its top: as high as its text needs, in the row's middle.
                h = std::min<int>(height, cell.size.cy);
                cy += (height - h) / 2;
                break;
            case Kind::combo:
                // The height of a drop-down list box includes its open list.
                h = height + m_fonts.scale(240);
                break;
            default:
                break;
        }
        SetWindowPos(cell.window, nullptr, cx, cy, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
