#pragma once

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <algorithm>

/// Sizes shared by the editor's two groups, so that their rows line up. All follow the font, so the form
/// grows with the font size and with the screen's scaling.
namespace FormMetrics {

constexpr int kColumnSpacing = 6;
constexpr int kGroupMargin = 6;
constexpr int kRowSpacing = 4;

/// The height of one slot or trigger row: the tallest of its editable widgets. Every widget of a row gets
/// this height, so the rows of both groups line up.
inline int rowHeight(QWidget* context) {
    QLineEdit edit(context);
    QPushButton button(context);
    QComboBox combo(context);
    combo.addItem("12");
    return std::max({edit.sizeHint().height(), button.sizeHint().height(), combo.sizeHint().height()});
}

/// Width that `sample` takes in the widget's font, with room for a frame.
inline int textWidth(const QWidget* widget, const QString& sample) {
    return widget->fontMetrics().horizontalAdvance(sample) + widget->fontMetrics().averageCharWidth();
}

}  // namespace FormMetrics
