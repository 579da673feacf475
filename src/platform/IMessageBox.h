#pragma once

#include <string>

/// Modal message boxes and the beep. Button and icon flags and results use the platform's values.
class IMessageBox {
public:
    enum Flags : int {
        vbOKOnly = 0,
        vbOKCancel = 1,
        vbYesNoCancel = 3,
        vbYesNo = 4,
        vbQuestion = 32,
        vbExclamation = 48,
        vbDefaultButton2 = 256
    };
    enum Result : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

    /// The buttons' captions in the program's language; an empty one keeps the system's own.
    struct ButtonTexts {
        std::string ok, cancel, yes, no;
    };

    virtual ~IMessageBox() = default;
    virtual int MsgBox(const std::string& text, int flags, const std::string& title) = 0;
    virtual void Beep() = 0;
    /// Boxes without buttons to label (a text stream) need not keep them.
    virtual void setButtonTexts(const ButtonTexts& /*texts*/) {}
};
