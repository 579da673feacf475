#pragma once

#include <QPlainTextEdit>
#include <QProcess>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ITextViewer.h"

class ITextCodec;

/// Opens a text file in the desktop's plain text editor without waiting for it: Notepad on Windows, the
/// desktop's handler for text files (xdg-open) elsewhere. The program gets the path as its one argument,
/// never through a shell, so blanks, quotes or ";" in the path open exactly that file. Where the editor
/// cannot be started, or ends reporting a failure (a desktop with no viewer for text), the file is shown
/// in a read-only window of the program's own, monospaced, in the files' code page.
class QtTextViewer : public ITextViewer {
public:
    explicit QtTextViewer(const ITextCodec& codec);
    /// Starts `program` instead (for tests).
    QtTextViewer(const ITextCodec& codec, QString program);
    ~QtTextViewer() override;

    /// False when the file does not exist or cannot be shown at all.
    bool view(const std::string& path) override;
    /// The program's own window showing `path`, when one was opened for it.
    QPlainTextEdit* ownWindow(const std::string& path) const;

private:
    bool showOwn(const QString& path);

    const ITextCodec& m_codec;
    QString m_program;
    std::map<QString, std::unique_ptr<QPlainTextEdit>> m_windows;
    std::vector<std::unique_ptr<QProcess>> m_openers;
};
