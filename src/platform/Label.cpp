#include "platform/Label.h"

#include <utility>

void Label::setCaption(std::string caption) {
    if (m_caption == caption) return;
    m_caption = std::move(caption);
    notify();
}
