#pragma once

#include <functional>

#include "platform/Control.h"

/// A check box with the value 0 or 1. Setting a new value, from code or by the user, runs `Click`.
class CheckBox : public Control {
public:
    int value() const { return m_value; }
    void setValue(int value);
    /// A user's click: toggles the value, if the box is enabled.
    void click();

    std::function<void()> Click;

private:
    int m_value = 0;
};
