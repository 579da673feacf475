#include "shell/frmSplash.h"

frmSplash::frmSplash(Platform& platform) : m_platform(platform), m_timer(platform.events.createTimer()) {
    const std::array<const char*, 7> english = {"message manager set up",
                                                "KVT3310/00 set up",
                                                "message upload",
                                                " trigger input configuration",
                                                "Release 2.0 (05-03)",
                                                "",
                                                ""};
    for (std::size_t k = 0; k < english.size(); ++k)
        Lb_Logo[k].setCaption(english[k]);
    Bt_Close.setCaption("OK");
    Bt_Close.setVisible(false);
    Bt_Close.Click = [this] { Bt_Close_Click(); };
    m_timer->setInterval(kSplashMs);
    m_timer->Timer = [this] { Timer1_Timer(); };
    setVisible(false);
}

void frmSplash::showSplash() {
    m_about = false;
    Bt_Close.setVisible(false);
    setVisible(true);
    m_timer->setEnabled(true);
}

void frmSplash::showAbout() {
    m_about = true;
    setVisible(true);
    m_timer->setEnabled(false);
    Bt_Close.setVisible(true);
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
