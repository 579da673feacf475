#include "platform/qt/QtTextViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

QString desktopTextEditor() {
#ifdef Q_OS_WIN
    return QStringLiteral("notepad.exe");
#else
    return QStringLiteral("xdg-open");
#endif
}

}  // namespace

QtTextViewer::QtTextViewer() : m_program(desktopTextEditor()) {}

bool QtTextViewer::view(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!file.exists())
        return false;
    // Absolute, as the editor does not start in our working folder.
    return QProcess::startDetached(m_program, {QDir::toNativeSeparators(file.absoluteFilePath())});
}
