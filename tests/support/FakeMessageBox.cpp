#include "support/FakeMessageBox.h"

#include <gtest/gtest.h>

int FakeMessageBox::MsgBox(const std::string& text, int flags, const std::string& title) {
    shown.push_back({text, flags, title});
    if (!m_answers.empty()) {
        int result = m_answers.front();
        m_answers.pop_front();
        return result;
    }
    if ((flags & 7) == vbOKOnly) return vbOK;
    ADD_FAILURE() << "unexpected message box: " << text;
    return vbCancel;
}
