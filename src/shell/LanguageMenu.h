#pragma once

#include <string>

class Form1;
class LanguageApplier;
class MDIKVT3310;

/// The Language submenu of the main window: the built-in languages `LngSel` 0 to 10 and an own language file
/// through `other`, remembered under the settings key "LanguageFile"; and the editor's start, which applies
/// the remembered choice.
class LanguageMenu {
public:
    static constexpr const char* kSection = "File paths";
    static constexpr const char* kKey = "LanguageFile";

    /// Wires the menu items of the editor's main window to the commands.
    LanguageMenu(Form1& form, MDIKVT3310& mdi, LanguageApplier& language);

    void LngSel_Click(int index);
    void other_Click();
    /// The editor's start, after `OpenIni` has run when the settings file exists (`settingsExist`).
    void applyRemembered(bool settingsExist);

    /// The choice before the user started choosing an own file.
    std::string PLanguageFile;
    bool PoLanguageFileType = false;

private:
    void remember(const std::string& languageFile);

    Form1& m_form;
    MDIKVT3310& m_mdi;
    LanguageApplier& m_language;
};
