#include "gui/qt/GroupCells.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "gui/qt/ControlBinding.h"
#include "gui/qt/FormMetrics.h"

namespace GroupCells {

QString indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

QGridLayout* grid(QGroupBox* group, Label& caption, const QString& name) {
    group->setObjectName(name);
    ControlBinding::bind(group, caption);
    auto* layout = new QGridLayout(group);
    layout->setContentsMargins(FormMetrics::kGroupMargin, FormMetrics::kGroupMargin, FormMetrics::kGroupMargin,
                               FormMetrics::kGroupMargin);
    layout->setHorizontalSpacing(FormMetrics::kColumnSpacing);
    layout->setVerticalSpacing(FormMetrics::kRowSpacing);
    return layout;
}

QLabel* heading(Label& model, const QString& name, Qt::Alignment align, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignBottom);
    ControlBinding::bind(label, model);
    return label;
}

QLabel* value(Label& model, const QString& name, const QString& widest, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(FormMetrics::textWidth(label, widest));
    ControlBinding::bind(label, model);
    return label;
}

QPushButton* playButton(CommandButton& model, const QString& name, int rowHeight, QWidget* parent) {
    auto* play = new QPushButton(parent);
    play->setObjectName(name);
    play->setFixedSize(std::max(rowHeight, FormMetrics::textWidth(play, "MM")) + 4, rowHeight);
    ControlBinding::bind(play, model);
    return play;
}

}  // namespace GroupCells
