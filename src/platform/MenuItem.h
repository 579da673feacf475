#pragma once

#include <functional>
#include <string>

#include "platform/Control.h"

/// A menu, submenu or command of a window's menu bar.
class MenuItem : public Control {
public:
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    bool checked() const { return m_checked; }
    void setChecked(bool checked);

    /// Free for the program's own use: a listed serial port keeps its name here.
    std::string Tag;

    std::function<void()> Click;
    /// A user's choice of the item: ignored while it is disabled or hidden.
    void click();

private:
    std::string m_caption;
    bool m_checked = false;
};
