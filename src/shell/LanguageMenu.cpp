#include "shell/LanguageMenu.h"

#include "editor/Form1.h"
#include "settings/AppState.h"
#include "settings/BuiltInLanguages.h"
#include "settings/IniProcedures.h"
#include "shell/LanguageApplier.h"
#include "shell/MDIKVT3310.h"

LanguageMenu::LanguageMenu(Form1& form, MDIKVT3310& mdi, LanguageApplier& language)
    : m_form(form), m_mdi(mdi), m_language(language) {
    for (int i = 0; i < MDIKVT3310::kLanguages; ++i)
        mdi.LngSel[i].Click = [this, i] { LngSel_Click(i); };
    mdi.other.Click = [this] { other_Click(); };
}

void LanguageMenu::remember(const std::string& languageFile) {
    Platform& platform = m_form.platform();
    IniProcedures ini(platform.fs, platform.codec);
    // One spelling of the settings file for every reader and writer: file names may be case-sensitive.
    ini.WriteIni(kSection, kKey, languageFile, platform.fs.programFolder() + platform.fs.separator() + "KVT3310.INI");
}

void LanguageMenu::LngSel_Click(int index) {
    const BuiltInLanguage& language = BuiltInLanguages::byMenuIndex(index);
    AppState& app = m_form.app();
    m_mdi.UncheckLanguages();
    app.LngExternal = false;
    app.LngBase = language.lngBase;
    m_language.OpenLng(language.fileName);
    remember(language.fileName);
    m_form.platform().events.processEvents();
    m_mdi.LngSel[index].setChecked(true);
}

void LanguageMenu::other_Click() {
    AppState& app = m_form.app();
    app.LngExternal = true;
    PLanguageFile = m_form.LanguageFile;
    PoLanguageFileType = app.stroLNGFilePathType;

    CommonDialog& dialog = m_form.CommonDialog1;
    dialog.CancelError = true;
    dialog.Filter = std::string("All Files (*.*)|*.*|") + "Language Files (*.lng)|*.lng";
    dialog.FilterIndex = 2;
    dialog.FileName = m_form.LanguageFile;
    if (!app.stroLNGFilePath.empty())
        dialog.InitDir = app.stroLNGFilePath;
    if (!dialog.ShowOpen())
        return;

    const std::string chosen = dialog.FileName;
    const std::size_t cut = chosen.find_last_of(m_form.platform().fs.separator());
    m_form.LanguageFile = cut == std::string::npos ? chosen : chosen.substr(cut + 1);
    app.stroLNGFilePath = cut == std::string::npos ? std::string() : chosen.substr(0, cut + 1);
    m_mdi.UncheckLanguages();
    remember(m_form.LanguageFile);
    m_form.platform().events.processEvents();
    app.stroLNGFilePathType = true;
    m_mdi.other.setChecked(true);
    // The chosen file is opened from its folder; the name alone would depend on the current folder.
    m_language.OpenLng(app.stroLNGFilePath + m_form.LanguageFile);
}

void LanguageMenu::applyRemembered(bool settingsExist) {
    AppState& app = m_form.app();
    IFileSystem& fs = m_form.platform().fs;
    if (settingsExist) {
        if (app.LngExternal) {
            std::string file =
                (app.stroLNGFilePathType ? app.stroLNGFilePath : app.strLNGFilePath) + m_form.LanguageFile;
            if (fs.exists(file))
                m_language.OpenLng(file);
        } else {
            m_language.OpenLng(m_form.LanguageFile);
            m_mdi.LngSelect(m_form.LanguageFile);
        }
        return;
    }
    m_form.LanguageFile = "en.lng";
    app.stroLNGFilePathType = false;
    std::string file = app.strLNGFilePath + "en.lng";
    if (fs.exists(file) && m_language.OpenLng(file))
        m_mdi.LngSelect(m_form.LanguageFile);
}
