#include "platform/Control.h"

#include <utility>

void Control::setEnabled(bool on) {
    if (m_enabled == on)
        return;
    m_enabled = on;
    notify();
}

void Control::setVisible(bool on) {
    if (m_visible == on)
        return;
    m_visible = on;
    notify();
}

void Control::setCharset(int charset) {
    if (m_charset == charset)
        return;
    m_charset = charset;
    notify();
}

void Control::setToolTipText(std::string text) {
    if (m_toolTipText == text)
        return;
    m_toolTipText = std::move(text);
    notify();
}

void Control::setFontSize(int points) {
    if (m_fontSize == points)
        return;
    m_fontSize = points;
    notify();
}
