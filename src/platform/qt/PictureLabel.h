#pragma once

#include <QLabel>

class Picture;

/// A picture that passes clicks to its model.
class PictureLabel : public QLabel {
public:
    PictureLabel(Picture& model, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Picture& m_model;
};
