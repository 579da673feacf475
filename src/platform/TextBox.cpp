#include "platform/TextBox.h"

#include <utility>

void TextBox::setText(std::string text) {
    if (m_text == text) return;
    m_text = std::move(text);
    notify();
    if (Change) Change();
}

void TextBox::setLocked(bool locked) {
    if (m_locked == locked) return;
    m_locked = locked;
    notify();
}
