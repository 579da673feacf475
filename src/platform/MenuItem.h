#pragma once

#include <functional>
#include <string>
#include <vector>

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

    /// The items of a menu or submenu, in their order; empty for a command. A view that builds its menus
    /// from this tree shows items added to the model without changes of its own.
    const std::vector<MenuItem*>& items() const { return m_items; }
    void setItems(std::vector<MenuItem*> items) { m_items = std::move(items); }

    std::function<void()> Click;
    /// A user's choice of the item: ignored while it is disabled or hidden.
    void click();

private:
    std::string m_caption;
    bool m_checked = false;
    std::vector<MenuItem*> m_items;
};
