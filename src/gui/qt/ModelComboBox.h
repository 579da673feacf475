#pragma once

#include <QComboBox>

class ComboBox;

/// A drop-down list box that tells its model about the list opening, keys and losing the focus. It takes
/// a value only from its list; a text that is not in the list is shown in grey as a placeholder.
class ModelComboBox : public QComboBox {
public:
    ModelComboBox(ComboBox& model, QWidget* parent);

    void showPopup() override;

    /// Key codes as the model knows them ("A" to "Z" and "0" to "9" as their upper-case characters,
    /// arrows 37 to 40, ...); 0 for keys without one.
    static int modelKeyCode(int qtKey);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    ComboBox& m_model;
};
