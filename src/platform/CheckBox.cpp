#include "platform/CheckBox.h"

void CheckBox::setValue(int value) {
    if (m_value == value) return;
    m_value = value;
    notify();
    if (Click) Click();
}

void CheckBox::click() {
    if (enabled() && visible()) setValue(m_value == 0 ? 1 : 0);
}
