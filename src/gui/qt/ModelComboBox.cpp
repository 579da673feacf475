#include "gui/qt/ModelComboBox.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWheelEvent>

#include "platform/ComboBox.h"

ModelComboBox::ModelComboBox(ComboBox& model, QWidget* parent) : QComboBox(parent), m_model(model) {
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ModelComboBox::showPopup() {
    // The model may refill the list before it opens.
    QPointer<ModelComboBox> self(this);
    m_model.dropDown();
    if (self)
        QComboBox::showPopup();
}

int ModelComboBox::modelKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    switch (qtKey) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_F4:
            return 115;
        default:
            return 0;
    }
}

void ModelComboBox::keyPressEvent(QKeyEvent* event) {
    int code = modelKeyCode(event->key());
    if (code != 0) {
        int shift = 0;
        if (event->modifiers() & Qt::ShiftModifier)
            shift |= 1;
        if (event->modifiers() & Qt::ControlModifier)
            shift |= 2;
        if (event->modifiers() & Qt::AltModifier)
            shift |= 4;
        QPointer<ModelComboBox> self(this);
        m_model.keyDown(code, shift);
        if (!self)
            return;
        // A handler that sets the code to 0 swallows the key.
        if (code == 0) {
            event->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

void ModelComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // The own list takes the focus only while it is open.
    if (event->reason() != Qt::PopupFocusReason && !view()->isVisible())
        m_model.lostFocus();
}

void ModelComboBox::wheelEvent(QWheelEvent* event) {
    // Scrolling over the form must not change steps the user is not working in.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
