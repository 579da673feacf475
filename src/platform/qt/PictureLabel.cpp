#include "platform/qt/PictureLabel.h"

#include <QMouseEvent>

#include "platform/Picture.h"

PictureLabel::PictureLabel(Picture& model, QWidget* parent) : QLabel(parent), m_model(model) {}

void PictureLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_model.click();
    QLabel::mouseReleaseEvent(event);
}
