#include "shell/frmSplash.h"

#include <optional>
#include <vector>

#include "settings/AppState.h"
#include "settings/IniProcedures.h"
#include "settings/LanguageFile.h"
#include "settings/SettingsFile.h"
#include "shell/LanguageApplier.h"

frmSplash::frmSplash(Platform& platform, AppState& app)
    : m_platform(platform), m_app(app), m_timer(platform.events.createTimer()), m_stack{&Image1, &Image2} {
    create();
    Bt_Close.setCaption("OK");
    Bt_Close.setVisible(false);
    Bt_Close.Click = [this] { Bt_Close_Click(); };
    m_timer->setInterval(kSplashMs);
    m_timer->Timer = [this] { Timer1_Timer(); };
    setVisible(false);
}

void frmSplash::create() {
    for (int k = 0; k < kLabels; ++k) {
        Lb_Logo[k].setCaption(k <= 6 ? m_catalogue.text(0, 10 * k).value_or("") : "");
        Lb_Logo[k].setCharset(LanguageApplier::kWestern);
    }
    Lb_Logo[0].setFontSize(kTitlePoints);
    if (m_stack.back() != &Image2) {
        m_stack = {&Image1, &Image2};
        notify();
    }
}

void frmSplash::showSplash() {
    m_about = false;
    create();
    Bt_Close.setVisible(false);
    setVisible(true);
    m_timer->setEnabled(true);
    Form_Activate();
}

void frmSplash::showAbout() {
    // A closed window comes back as it was created; one still open is only brought up again.
    if (!visible())
        create();
    m_about = true;
    setVisible(true);
    Form_Activate();
    m_timer->setEnabled(false);
    Bt_Close.setVisible(true);
}

void frmSplash::Form_Activate() {
    chkWinFont1();
    if (!m_platform.fs.exists(m_app.strAPPFilePath + "KVT3310.INI"))
        return;
    if (!Open_Logo_Ini(m_app.strAPPFilePath + "KVT3310.INI"))
        return;
    Open_Logo_Lng((m_app.stroLNGFilePathType ? m_app.stroLNGFilePath : m_app.strLNGFilePath) + LanguageFile);
}

void frmSplash::sendToBack(Picture& picture) {
    if (m_stack.front() == &picture)
        return;
    std::swap(m_stack[0], m_stack[1]);
    notify();
}

void frmSplash::chkWinFont1() {
    int dpi = m_platform.screen.logPixelsX();
    if (dpi == 96)
        sendToBack(Image2);
    else if (dpi == 120)
        sendToBack(Image1);
}

bool frmSplash::Open_Logo_Ini(const std::string&) {
    IniProcedures ini(m_platform.fs, m_platform.codec);
    // The settings file in the program folder, spelled as everywhere else: file names may be case-sensitive.
    auto profile = ini.load(m_platform.fs.programFolder() + m_platform.fs.separator() + "KVT3310.INI");
    if (!profile)
        return false;
    const char* section = "File paths";
    auto lngPath = ini.value(*profile, section, "strLNGFilePath");
    auto ownLngPath = ini.value(*profile, section, "stroLNGFilePath");
    auto ownLngType = SettingsFile::toBool(ini.value(*profile, section, "stroLNGFilePathType"));
    auto languageFile = ini.value(*profile, section, "LanguageFile");
    if (!ownLngType)
        return false;
    m_app.strLNGFilePath = lngPath.value_or("");
    m_app.stroLNGFilePath = ownLngPath.value_or("");
    m_app.stroLNGFilePathType = *ownLngType;
    LanguageFile = languageFile.value_or("");
    return true;
}

bool frmSplash::Open_Logo_Lng(const std::string& file) {
    if (m_app.LngExternal) {
        auto lines = LanguageFile::read(m_platform.fs, m_platform.codec, file, LanguageFile::kSplashLines);
        if (!lines)
            return false;
        for (int k = 0; k < kLabels; ++k)
            Lb_Logo[k].setCaption((*lines)[static_cast<std::size_t>(k)]);
        return true;
    }
    std::vector<std::string> texts;
    for (int offset = 0; offset <= 60; offset += 10) {
        auto text = m_catalogue.text(m_app.LngBase, offset);
        if (!text)
            return false;
        texts.push_back(std::move(*text));
    }
    switch (m_app.LngBase) {
        case 2000:
        case 4000:
        case 9000:
        case 10000:
            Lb_Logo[0].setFontSize(18);
            break;
        case 6000:
            Lb_Logo[0].setFontSize(20);
            break;
        default:
            break;
    }
    const int charset = LanguageApplier::charsetOf(m_app.LngBase);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        Lb_Logo[k].setCharset(charset);
        Lb_Logo[k].setCaption(texts[k]);
    }
    return false;
}

void frmSplash::unload() {
    m_timer->setEnabled(false);
    setVisible(false);
}

void frmSplash::Timer1_Timer() {
    unload();
    if (!m_about && SplashDone)
        SplashDone();
}

void frmSplash::Bt_Close_Click() {
    unload();
}

void frmSplash::Form_KeyPress() {
    // A key during the splash ends it early, as the timer would; it never leaves the program without a window.
    if (!m_about && visible()) {
        Timer1_Timer();
        return;
    }
    unload();
}

void frmSplash::Form_Click() {
    // A click ends the splash early as a key does; the About window closes only by its button or a key.
    if (!m_about && visible())
        Timer1_Timer();
}
