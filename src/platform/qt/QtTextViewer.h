#pragma once

#include <QString>
#include <string>
#include <utility>

#include "platform/ITextViewer.h"

/// Opens a text file in the desktop's plain text editor without waiting for it: Notepad on Windows, the
/// desktop's handler for text files (xdg-open) elsewhere. The program gets the path as its one argument,
/// never through a shell, so blanks, quotes or ";" in the path open exactly that file.
class QtTextViewer : public ITextViewer {
public:
    QtTextViewer();
    /// Starts `program` instead (for tests).
    explicit QtTextViewer(QString program) : m_program(std::move(program)) {}

    /// False when the file does not exist or the editor could not be started.
    bool view(const std::string& path) override;

private:
    QString m_program;
};
