#pragma once

#include <functional>

#include "platform/Control.h"

/// An image or picture box; its artwork is the view's business. Some pictures take clicks.
class Picture : public Control {
public:
    std::function<void()> Click;
    /// A user's click: ignored while the picture is disabled or hidden.
    void click() {
        if (enabled() && visible() && Click) Click();
    }
};
