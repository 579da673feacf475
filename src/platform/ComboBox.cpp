#include "platform/ComboBox.h"

#include <algorithm>
#include <utility>

void ComboBox::setText(std::string text) {
    if (m_text == text)
        return;
    m_text = std::move(text);
    notify();
    if (Change)
        Change();
}

void ComboBox::setLocked(bool locked) {
    if (m_locked == locked)
        return;
    m_locked = locked;
    notify();
}

void ComboBox::clear() {
    if (m_list.empty())
        return;
    m_list.clear();
    notify();
}

void ComboBox::addItem(std::string item) {
    m_list.push_back(std::move(item));
    notify();
}

int ComboBox::listIndex() const {
    auto it = std::find(m_list.begin(), m_list.end(), m_text);
    return it == m_list.end() ? -1 : static_cast<int>(it - m_list.begin());
}

void ComboBox::pick(int index) {
    if (index < 0 || index >= listCount())
        return;
    if (!enabled() || m_locked) {
        // A widget may already show the refused entry; telling the views puts it back.
        notify();
        return;
    }
    setText(m_list[index]);
    if (Click)
        Click();
}

void ComboBox::type(std::string text) {
    if (enabled() && !m_locked)
        setText(std::move(text));
    else
        notify();
}

void ComboBox::dropDown() {
    if (enabled() && DropDown)
        DropDown();
}

void ComboBox::keyDown(int& keyCode, int shift) {
    if (enabled() && KeyDown)
        KeyDown(keyCode, shift);
}

void ComboBox::lostFocus() {
    if (LostFocus)
        LostFocus();
}
