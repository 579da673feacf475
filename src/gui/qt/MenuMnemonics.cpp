#include "gui/qt/MenuMnemonics.h"

#include <QAction>
#include <QSet>
#include <QVariant>
#include <QWidget>

namespace {

const char* const kCaption = "kvtCaption";

/// Where the letter of `caption` goes, or -1: a word's first letter, else any letter, not yet in `taken`.
qsizetype letterAt(const QString& caption, const QSet<QChar>& taken) {
    auto free = [&](qsizetype i) { return caption[i].isLetterOrNumber() && !taken.contains(caption[i].toLower()); };
    for (qsizetype i = 0; i < caption.size(); ++i)
        if ((i == 0 || !caption[i - 1].isLetterOrNumber()) && free(i))
            return i;
    for (qsizetype i = 0; i < caption.size(); ++i)
        if (free(i))
            return i;
    return -1;
}

}  // namespace

namespace MenuMnemonics {

QStringList assign(const QStringList& captions) {
    QSet<QChar> taken;
    QStringList texts;
    for (const QString& caption : captions) {
        const qsizetype at = letterAt(caption, taken);
        QString text;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            if (i == at) {
                text += '&';
                taken.insert(caption[i].toLower());
            }
            text += caption[i];
            if (caption[i] == '&')
                text += '&';
        }
        texts << text;
    }
    return texts;
}

void setCaption(QAction* action, QWidget* holder, const QString& caption) {
    action->setProperty(kCaption, caption);
    QList<QAction*> actions;
    QStringList captions;
    for (QAction* a : holder->actions()) {
        if (!a->property(kCaption).isValid())
            continue;
        actions << a;
        captions << a->property(kCaption).toString();
    }
    const QStringList texts = assign(captions);
    for (qsizetype i = 0; i < actions.size(); ++i)
        actions[i]->setText(texts[i]);
}

}  // namespace MenuMnemonics
