#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Control.h"

/// A combo box with a drop-down list. Setting the text runs `Change` when it differs; picking an entry of the
/// list, as a user does, puts its text in and runs `Click`. While `locked`, the box takes nothing from the
/// user: neither typing nor a pick (the program can still set the text).
class ComboBox : public Control {
public:
    const std::string& text() const { return m_text; }
    void setText(std::string text);
    bool locked() const { return m_locked; }
    void setLocked(bool locked);

    const std::vector<std::string>& list() const { return m_list; }
    void clear();
    void addItem(std::string item);
    int listCount() const { return static_cast<int>(m_list.size()); }
    /// Index of the list entry equal to the text, or -1.
    int listIndex() const;

    /// A user's pick of list entry `index`: the text becomes that entry (running `Change` when it differs),
    /// then `Click` runs. Refused while the box is disabled or locked: the text stays and the views are told.
    void pick(int index);
    /// A user's typing has made the text `text`; refused like a pick. The view reports
    /// the key with `keyDown` first, as its handler may lock the box against it.
    void type(std::string text);
    /// A user opening the list.
    void dropDown();
    /// A key pressed while the box has the focus (platform key code, shift state).
    void keyDown(int& keyCode, int shift);
    /// The box losing the focus.
    void lostFocus();

    std::function<void()> Change;
    std::function<void()> Click;
    std::function<void()> DropDown;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void()> LostFocus;

private:
    std::string m_text;
    bool m_locked = false;
    std::vector<std::string> m_list;
};
