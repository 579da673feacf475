#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/IMessageBox.h"

/// Message boxes without a window: the text goes to the error stream and the box answers OK (or the
/// first button of its kind), as nobody is there to choose. The texts shown are kept, so a command can tell
/// that the editor refused something.
class StderrMessageBox : public IMessageBox {
public:
    explicit StderrMessageBox(std::ostream& err) : m_err(err) {}

    int MsgBox(const std::string& text, int flags, const std::string& title) override;
    void Beep() override {}

    const std::vector<std::string>& shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }
    /// While quiet, texts are kept but not written (a command prints them itself).
    void setQuiet(bool quiet) { m_quiet = quiet; }

private:
    std::ostream& m_err;
    std::vector<std::string> m_shown;
    bool m_quiet = false;
};
