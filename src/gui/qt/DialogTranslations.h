#pragma once

#include <QTranslator>
#include <memory>

struct AppState;

/// Qt's own texts (the buttons and labels of the open and save dialogs) in the language the program shows,
/// from the translations the system holds for Qt. A language Qt has no translation for, and an own language
/// file, leave them English.
class DialogTranslations {
public:
    /// Follows the active language of `app`: call after each change of language.
    void follow(const AppState& app);
    /// The file name of Qt's translation for a built-in language's code ("de" gives "qtbase_de").
    static QString fileFor(const QString& code);

private:
    std::unique_ptr<QTranslator> m_translator;
};
