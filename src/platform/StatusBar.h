#pragma once

#include <array>
#include <string>

#include "platform/Control.h"

/// A status bar with three keyed panels, numbered 1 to 3 as the program addresses them.
class StatusBar : public Control {
public:
    static constexpr int kPanels = 3;

    StatusBar();
    const std::string& panelText(int panel) const;
    void setPanelText(int panel, std::string text);
    const std::string& panelKey(int panel) const;
    void setPanelKey(int panel, std::string key);

private:
    struct Panel {
        std::string key;
        std::string text;
    };
    std::array<Panel, kPanels + 1> m_panels;  // entry 0 unused
};
