#include "platform/qt/QtTextViewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPointer>
#include <QProcess>

#include "platform/ITextCodec.h"

namespace {

QString desktopTextEditor() {
#ifdef Q_OS_WIN
    return QStringLiteral("notepad.exe");
#else
    return QStringLiteral("xdg-open");
#endif
}

constexpr int kColumns = 90;
constexpr int kLines = 36;
constexpr int kEndingGraceMs = 500;

}  // namespace

QtTextViewer::QtTextViewer(const ITextCodec& codec) : QtTextViewer(codec, desktopTextEditor()) {}

QtTextViewer::QtTextViewer(const ITextCodec& codec, QString program) : m_codec(codec), m_program(std::move(program)) {}

QtTextViewer::~QtTextViewer() {
    // An opener that runs the viewer in its own process would take the user's window with it if it were
    // ended here. One that has just handed the file on is given a moment to end; those still running
    // after it are left to the system as the program ends.
    for (auto& opener : m_openers) {
        QObject::disconnect(opener.get(), nullptr, nullptr, nullptr);
        if (opener->state() != QProcess::NotRunning && !opener->waitForFinished(kEndingGraceMs))
            static_cast<void>(opener.release());
    }
}

bool QtTextViewer::view(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!file.exists())
        return false;
    // Absolute, as the editor does not start in our working folder.
    const QString absolute = QDir::toNativeSeparators(file.absoluteFilePath());
    auto process = std::make_unique<QProcess>();
    process->setProgram(m_program);
    process->setArguments({absolute});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted())
        return showOwn(absolute);
    // The opener hands the file on and ends; ending with a failure means nothing will show it.
    QProcess* running = process.get();
    QObject::connect(running, &QProcess::finished, running,
                     [this, running, absolute](int code, QProcess::ExitStatus status) {
                         if (code != 0 || status != QProcess::NormalExit)
                             showOwn(absolute);
                         std::erase_if(m_openers, [running](const auto& p) { return p.get() == running; });
                     });
    m_openers.push_back(std::move(process));
    return true;
}

bool QtTextViewer::showOwn(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    auto& window = m_windows[path];
    if (!window) {
        window = std::make_unique<QPlainTextEdit>();
        window->setReadOnly(true);
        window->setLineWrapMode(QPlainTextEdit::NoWrap);
        window->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        window->setWindowTitle(QFileInfo(path).fileName());
        const QFontMetrics metrics(window->font());
        window->resize(metrics.horizontalAdvance(QString(kColumns, 'M')), metrics.lineSpacing() * kLines);
    }
    QString text =
        QString::fromStdString(m_codec.toUtf8(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
    window->setPlainText(text.replace("\r\n", "\n"));
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

QPlainTextEdit* QtTextViewer::ownWindow(const std::string& path) const {
    const QString absolute = QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    auto found = m_windows.find(absolute);
    return found == m_windows.end() ? nullptr : found->second.get();
}
