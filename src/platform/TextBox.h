#pragma once

#include <functional>
#include <string>

#include "platform/Control.h"

/// An editable text field. Setting the text, from code or by the user, runs `Change` when it differs.
class TextBox : public Control {
public:
    const std::string& text() const { return m_text; }
    void setText(std::string text);
    bool locked() const { return m_locked; }
    void setLocked(bool locked);

    std::function<void()> Change;

private:
    std::string m_text;
    bool m_locked = false;
};
