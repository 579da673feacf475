#include "UploadDisplay.h"

#include <algorithm>

#include "platform/Label.h"
#include "platform/ProgressBar.h"
#include "platform/StatusBar.h"
#include "shell/HeadlessEditor.h"

UploadDisplay::UploadDisplay(HeadlessEditor& editor, std::ostream& err, bool terminal)
    : m_editor(editor), m_err(err), m_terminal(terminal), m_lastStatus(editor.statusBar().panelText(1)) {
    // What the line said before the upload has been told already (files found beside the set).
    m_statusConnection = editor.statusBar().changed().connect([this] { statusChanged(); });
    if (terminal) {
        m_barConnection = editor.progressBar().changed().connect([this] { progressChanged(); });
        m_labelConnection = editor.percentage().changed().connect([this] { progressChanged(); });
    }
}

UploadDisplay::~UploadDisplay() {
    endBar();
    m_editor.statusBar().changed().disconnect(m_statusConnection);
    m_editor.progressBar().changed().disconnect(m_barConnection);
    m_editor.percentage().changed().disconnect(m_labelConnection);
}

void UploadDisplay::statusChanged() {
    const std::string& text = m_editor.statusBar().panelText(1);
    if (text == m_lastStatus)
        return;
    m_lastStatus = text;
    // The line cleared to its bare "STATUS:" says nothing.
    if (text.find_first_not_of(' ', text.find(':') + 1) == std::string::npos)
        return;
    endBar();
    m_err << text << "\n" << std::flush;
}

void UploadDisplay::progressChanged() {
    const ProgressBar& bar = m_editor.progressBar();
    if (!bar.visible()) {
        endBar();
        return;
    }
    constexpr int kWidth = 30;
    const long long span = static_cast<long long>(bar.max()) - bar.min();
    const long long done = static_cast<long long>(bar.value()) - bar.min();
    const int filled = span > 0 ? static_cast<int>(std::min<long long>(kWidth, done * kWidth / span)) : kWidth;
    m_err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
          << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << bar.value() << "/" << bar.max()
          << " bytes  " << m_editor.percentage().caption() << "\x1b[K" << std::flush;
    m_barShown = true;
}

void UploadDisplay::endBar() {
    if (!m_barShown)
        return;
    m_err << "\n" << std::flush;
    m_barShown = false;
}
