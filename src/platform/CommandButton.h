#pragma once

#include <functional>
#include <string>

#include "platform/Control.h"

/// A push button. `click()` is what a user's click does: it runs the handler, if the button is enabled.
class CommandButton : public Control {
public:
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

    std::function<void()> Click;
    /// A user's click: ignored while the button is disabled or hidden.
    void click();

private:
    std::string m_caption;
};
