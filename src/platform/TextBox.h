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
    /// A file is dragged over the box (or a control the view ties to it): whether it may be dropped.
    std::function<bool()> AcceptsDrop;
    /// A file has been dropped there.
    std::function<void(const std::string& path)> OLEDragDrop;

private:
    std::string m_text;
    bool m_locked = false;
};
