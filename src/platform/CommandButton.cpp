#include "platform/CommandButton.h"

#include <utility>

void CommandButton::setCaption(std::string caption) {
    if (m_caption == caption) return;
    m_caption = std::move(caption);
    notify();
}

void CommandButton::click() {
    if (enabled() && visible() && Click) Click();
}
