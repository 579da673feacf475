#include "gui/qt/FittedButton.h"

#include <QStyle>

QSize FittedButton::sizeHint() const {
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int width = fontMetrics().horizontalAdvance(text()) + 2 * (margin + frame);
    return {width, QPushButton::sizeHint().height()};
}
