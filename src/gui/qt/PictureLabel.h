#pragma once

#include <QLabel>

class Picture;

/// A picture that passes clicks to its model. One that takes the focus is clicked with Space or Enter too,
/// and shows a focus frame.
class PictureLabel : public QLabel {
public:
    PictureLabel(Picture& model, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Picture& m_model;
};
