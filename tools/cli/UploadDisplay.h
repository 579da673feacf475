#pragma once

#include <ostream>
#include <string>

class HeadlessEditor;

/// Shows the editor's running report on the error stream: each new status line, and while the wave data
/// goes out, the progress bar with percentage, bytes and remaining time. On a terminal the bar redraws in
/// place; elsewhere only status lines are written, one per change.
class UploadDisplay {
public:
    UploadDisplay(HeadlessEditor& editor, std::ostream& err, bool terminal);
    ~UploadDisplay();
    UploadDisplay(const UploadDisplay&) = delete;
    UploadDisplay& operator=(const UploadDisplay&) = delete;

    /// The last text of the status line.
    const std::string& lastStatus() const { return m_lastStatus; }

private:
    void statusChanged();
    void progressChanged();
    void endBar();

    HeadlessEditor& m_editor;
    std::ostream& m_err;
    bool m_terminal;
    bool m_barShown = false;
    std::string m_lastStatus;
    int m_statusConnection = 0;
    int m_barConnection = 0;
    int m_labelConnection = 0;
};
