#include "gui/qt/PictureLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "platform/Picture.h"

PictureLabel::PictureLabel(Picture& model, QWidget* parent) : QLabel(parent), m_model(model) {}

void PictureLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_model.click();
    QLabel::mouseReleaseEvent(event);
}

void PictureLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            m_model.click();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void PictureLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
