#pragma once

#include <QLabel>

/// A one-line label that never makes its window wider: it asks for its text's width up to `widest` (none by
/// default), a text longer than its room ends in "…", and the whole text is its tooltip. `text()` stays the
/// whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setWidest(int width) {
        m_widest = width;
        updateGeometry();
    }

    /// Sets the text and its tooltip.
    void setWholeText(const QString& text);
    /// True when the text does not fit and shows cut with "…".
    bool elided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_widest = 0;
};
