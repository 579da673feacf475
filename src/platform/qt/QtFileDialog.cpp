#include "platform/qt/QtFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

QString caseFreePattern(const QString& pattern) {
    if (pattern == "*.*")
        return "*";
    QString out;
    for (QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
            out += '[' + QString(c.toLower()) + QString(c.toUpper()) + ']';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

QStringList QtFileDialog::nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            const QString trimmed = p.trimmed();
            if (!trimmed.isEmpty())
                patterns << caseFreePattern(trimmed);
        }
        if (patterns.isEmpty())
            patterns << "*";
        // Qt takes the patterns from the last parentheses; the description keeps its own.
        filters << parts[i].trimmed() + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

std::optional<std::string> QtFileDialog::run(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    if (!request.title.empty())
        dialog.setWindowTitle(QString::fromStdString(request.title));
    if (request.folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (!request.initDir.empty())
            dialog.setDirectory(QString::fromStdString(request.initDir));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
    }
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // The program asks before a save replaces a file (`confirmsOverwrite`): the save commands change the
    // name's extension themselves, so Qt's prompt would be about the typed name rather than the file written,
    // and in Qt's language rather than the program's.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);

    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex - 1;
        dialog.selectNameFilter(filters[index >= 0 && index < filters.size() ? index : 0]);
    }

    const QString initDir = QString::fromStdString(request.initDir);
    const QString proposed = QString::fromStdString(request.fileName);
    if (!initDir.isEmpty() && QFileInfo(initDir).isDir())
        dialog.setDirectory(initDir);
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen.first()).toStdString();
}
