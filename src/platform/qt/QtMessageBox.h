#pragma once

#include <QMessageBox>
#include <vector>

#include "platform/IMessageBox.h"

/// Modal message boxes with the platform's button, icon and default-button flags, and the beep.
class QtMessageBox : public IMessageBox {
public:
    int MsgBox(const std::string& text, int flags, const std::string& title) override;
    void Beep() override;
    void setButtonTexts(const ButtonTexts& texts) override { m_texts = texts; }

    /// The buttons that a flags value asks for, in their order on the box, with the result each gives.
    struct Button {
        QMessageBox::StandardButton button;
        int result;
    };
    static std::vector<Button> buttonsFor(int flags);
    static QMessageBox::Icon iconFor(int flags);
    /// The result that closing the box with Escape or the close box gives.
    static int escapeResultFor(int flags);
    /// The caption set for a button, with its letter marked as the system marks it; empty for the system's own.
    QString textFor(QMessageBox::StandardButton button) const;

private:
    ButtonTexts m_texts;
};
