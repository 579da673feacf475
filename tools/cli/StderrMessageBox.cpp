#include "StderrMessageBox.h"

int StderrMessageBox::MsgBox(const std::string& text, int flags, const std::string&) {
    m_shown.push_back(text);
    if (!m_quiet)
        m_err << "kvt3310-cli: " << text << "\n" << std::flush;
    switch (flags & 7) {
        case vbOKCancel:
            return vbOK;
        case vbYesNoCancel:
        case vbYesNo:
            // No question of the editor may be answered for the user; No changes nothing.
            return vbNo;
        default:
            return vbOK;
    }
}
