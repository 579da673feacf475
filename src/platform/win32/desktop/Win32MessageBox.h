#pragma once

#include <string>

#include "platform/IMessageBox.h"

/// The system's message box, with the program's title and the buttons captioned in the program's language.
/// The box is owned by the active window of the program, so it stays in front of it.
class Win32MessageBox : public IMessageBox {
public:
    /// `programTitle` is shown when a box is asked for without a title.
    explicit Win32MessageBox(std::string programTitle) : m_programTitle(std::move(programTitle)) {}

    int MsgBox(const std::string& text, int flags, const std::string& title) override;
    void Beep() override;
    void setButtonTexts(const ButtonTexts& texts) override { m_texts = texts; }

    /// The caption for a button id of the box (IDOK, IDCANCEL, IDYES, IDNO); empty keeps the system's.
    std::wstring captionFor(int buttonId) const;

private:
    std::string m_programTitle;
    ButtonTexts m_texts;
};
