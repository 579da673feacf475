#pragma once

#include <QGroupBox>

class Form1;

/// The "Trigger" group of the editor: per trigger its number, play button, the four steps of its message
/// sequence, the sequence time and the six zone boxes, under their headings.
class TriggerGroupView : public QGroupBox {
public:
    TriggerGroupView(Form1& form, int rowHeight, QWidget* parent);
};
