#pragma once

#include <QString>

class CommandButton;
class Label;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

/// The cells the editor's two groups build alike, so that their headings, numbers and play buttons look
/// and line up the same.
namespace GroupCells {

/// The object name of the control `name(index)`, as "MsgBt_3".
QString indexed(const char* name, int index);

/// Names the group, shows `caption` as its title and gives it its grid, with the spacing both groups share.
QGridLayout* grid(QGroupBox* group, Label& caption, const QString& name);

/// A column heading, standing on the row below it.
QLabel* heading(Label& model, const QString& name, Qt::Alignment align, QWidget* parent);

/// A right-aligned figure, wide enough for `widest`.
QLabel* value(Label& model, const QString& name, const QString& widest, QWidget* parent);

/// The play button of a slot or trigger row: a row high, and wider than high, with room for two letters.
QPushButton* playButton(CommandButton& model, const QString& name, int rowHeight, QWidget* parent);

}  // namespace GroupCells
