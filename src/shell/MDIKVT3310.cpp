#include "shell/MDIKVT3310.h"

#include <utility>

#include "settings/BuiltInLanguages.h"

MDIKVT3310::MDIKVT3310() {
    File.setCaption("File");
    Open.setCaption("Open");
    Save.setCaption("Save");
    Save_as.setCaption("Save as");
    Save_as_text_file.setCaption("Save as text file");
    Save_as_with_its_files.setCaption("Save as with its files…");
    Read_from_unit.setCaption("Read from unit…");
    Exit.setCaption("Exit");
    Setup.setCaption("Setup");
    Comport.setCaption("Com port");
    Com1.setCaption("Com1");
    Com2.setCaption("Com2");
    Language.setCaption("Language");
    const std::array<const char*, kLanguages> codes = {"en", "fr", "nl", "de", "es", "it",
                                                       "pt", "cs", "fi", "no", "el"};
    for (int i = 0; i < kLanguages; ++i)
        LngSel[i].setCaption(codes[i]);
    other.setCaption("other");
    Trace.setCaption("Protocol trace");
    Help.setCaption("Help");
    Instructions_for_use.setCaption("Instructions for use");
    Contacts.setCaption("Contacts");
    About_Tavro_message_manager.setCaption("About Tavro message manager");
    Exit.Click = [this] { requestClose(); };

    File.setItems({&Open, &Save, &Save_as, &Save_as_text_file, &Save_as_with_its_files, &Read_from_unit, &Exit});
    Comport.setItems({&Com1, &Com2});
    std::vector<MenuItem*> languages;
    for (MenuItem& item : LngSel)
        languages.push_back(&item);
    languages.push_back(&other);
    Language.setItems(std::move(languages));
    Setup.setItems({&Comport, &Language, &Trace});
    Help.setItems({&Instructions_for_use, &Contacts, &About_Tavro_message_manager});
    m_menuBar = {&File, &Setup, &Help};
}

void MDIKVT3310::setCaption(std::string caption) {
    if (m_caption == caption)
        return;
    m_caption = std::move(caption);
    notify();
}

bool MDIKVT3310::requestClose() {
    if (QueryUnload && !QueryUnload())
        return false;
    if (Unload)
        Unload();
    return true;
}

void MDIKVT3310::UncheckLanguages() {
    for (MenuItem& item : LngSel)
        item.setChecked(false);
    other.setChecked(false);
}

void MDIKVT3310::LngSelect(std::string name) {
    if (name.empty()) {
        LngSel[0].setChecked(true);
        return;
    }
    std::size_t dot = name.find('.');
    // A name without "." cannot be a built-in language's file: it is an own file.
    const BuiltInLanguage* language =
        dot == std::string::npos ? nullptr : BuiltInLanguages::byCode(name.substr(0, dot));
    if (language)
        LngSel[language->menuIndex].setChecked(true);
    else
        other.setChecked(true);
}
