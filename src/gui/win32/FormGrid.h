#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Win32Fonts;

/// A grid of child windows whose columns and rows take the size their contents need in their own fonts, so
/// that no text is cut in any language or at any resolution.
class FormGrid {
public:
    /// How a cell's size follows from its text: a label is as wide as its text, a button has room around it,
    /// an edit and a combo box are as wide as `sample`, a check box and a fixed cell take `fixed`.
    enum class Kind { label, heading, button, edit, combo, check, fixed, rule };

    explicit FormGrid(Win32Fonts& fonts) : m_fonts(fonts) {}

    void add(HWND window, int row, int column, Kind kind, int span = 1, const std::wstring& sample = {},
             SIZE fixed = {0, 0});
    /// Rows at least this high (the editable rows).
    void setRowHeight(int row, int height);
    /// Computes the columns and rows; the whole grid's size.
    SIZE measure(int columnSpacing, int rowSpacing);
    /// Moves every cell to its place, the grid's top left at `x`, `y` (after `measure`).
    void place(int x, int y) const;

    /// The width `text` takes in the window's font.
    static int textWidth(HWND window, const std::wstring& text);
    /// The height of a line of text in the window's font.
    static int textHeight(HWND window);

private:
    struct Cell {
        HWND window;
        int row, column, span;
        Kind kind;
        std::wstring sample;
        SIZE fixed;
        SIZE size{0, 0};
    };
    SIZE natural(const Cell& cell) const;

    Win32Fonts& m_fonts;
    std::vector<Cell> m_cells;
    std::vector<int> m_minRows;
    std::vector<int> m_columns, m_rows;
    int m_columnSpacing = 0, m_rowSpacing = 0;
};
