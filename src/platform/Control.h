#pragma once

#include <string>

#include "platform/Signal.h"

/// Properties that every control of a window has. A view mirrors them and listens to `changed`.
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    bool visible() const { return m_visible; }
    void setVisible(bool on);
    /// Font character set: 0 Western, 161 Greek.
    int charset() const { return m_charset; }
    void setCharset(int charset);
    /// Font size in points; 0 keeps the view's default.
    int fontSize() const { return m_fontSize; }
    void setFontSize(int points);
    /// Shown when the pointer rests on the control; empty for none.
    const std::string& toolTipText() const { return m_toolTipText; }
    void setToolTipText(std::string text);

    Signal<>& changed() { return m_changed; }

protected:
    void notify() const { m_changed.emit(); }

private:
    bool m_enabled = true;
    bool m_visible = true;
    int m_charset = 0;
    int m_fontSize = 0;
    std::string m_toolTipText;
    Signal<> m_changed;
};
