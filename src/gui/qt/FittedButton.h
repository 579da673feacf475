#pragma once

#include <QPushButton>

/// A push button as wide as its caption needs, without the style's minimum button width, so a row of
/// buttons takes no more room than its longest caption in the active language.
class FittedButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
};
