#pragma once

#include <QString>
#include <QStringList>

class QAction;
class QWidget;

/// Underlined letters (Alt+letter) for the menus and their items, whatever the language of the captions:
/// each caption of a menu or of the menu bar gets its own letter, the first letter of a word where it can.
namespace MenuMnemonics {

/// Shows `caption` on `action` and gives the captions of `holder`, the menu or menu bar the action is an
/// item of, their letters again. (A menu bar also lends its items to the pop-up of those that do not fit:
/// that one is no holder.)
void setCaption(QAction* action, QWidget* holder, const QString& caption);

/// The texts to show for captions that share one menu, in their order: each with "&" before its letter
/// (none when every letter of it is taken), and a "&" of the caption itself doubled.
QStringList assign(const QStringList& captions);

}  // namespace MenuMnemonics
