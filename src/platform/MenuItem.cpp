#include "platform/MenuItem.h"

#include <utility>

void MenuItem::setCaption(std::string caption) {
    if (m_caption == caption) return;
    m_caption = std::move(caption);
    notify();
}

void MenuItem::setChecked(bool checked) {
    if (m_checked == checked) return;
    m_checked = checked;
    notify();
}

void MenuItem::click() {
    if (enabled() && visible() && Click) Click();
}
