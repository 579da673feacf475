#include "gui/qt/DialogTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "settings/AppState.h"
#include "settings/BuiltInLanguages.h"

QString DialogTranslations::fileFor(const QString& code) {
    // Qt's translations name some languages by a variant: Norwegian by Nynorsk, Portuguese by Brazil's.
    if (code == "no")
        return "qtbase_nn";
    if (code == "pt")
        return "qtbase_pt_BR";
    return "qtbase_" + code;
}

void DialogTranslations::follow(const AppState& app) {
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    if (app.LngExternal)
        return;
    for (const BuiltInLanguage& language : BuiltInLanguages::all()) {
        if (language.lngBase != app.LngBase || language.lngBase == 0)
            continue;
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(fileFor(language.code), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
            QCoreApplication::installTranslator(translator.get()))
            m_translator = std::move(translator);
        return;
    }
}
