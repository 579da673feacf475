#pragma once

#include <QGroupBox>

class Form1;

/// The "Message" group of the editor: per slot its number, name box, Browse and play buttons, time, size
/// and sample rate, under their headings, and the totals row beneath.
class MessageGroupView : public QGroupBox {
public:
    MessageGroupView(Form1& form, int rowHeight, QWidget* parent);
};
