#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "settings/StringCatalogue.h"

struct AppState;

/// The splash window, which also serves as the About window: the title lines, the release line and the
/// maker's notices in the active language, over a picture chosen for the screen resolution. As the splash it
/// hands over to the editor after two seconds, or at once on a key press or click.
class frmSplash : public Control {
public:
    static constexpr int kLabels = 10;
    static constexpr int kSplashMs = 2000;
    static constexpr int kTitlePoints = 24;
    /// The design fonts (Arial) of `Lb_Logo` 0 to 9; only the title's size changes, through its `fontSize`.
    static constexpr std::array<double, kLabels> kLogoPoints = {24,  14.25, 14.25, 14.25, 8.25,
                                                                7.5, 8.25,  8.25,  8.25,  8.25};
    static constexpr std::array<bool, kLabels> kLogoBold = {true,  true,  true,  true,  false,
                                                            false, false, false, false, false};

    frmSplash(Platform& platform, AppState& app);

    /// The splash role: shown by the start-up with the timer running.
    void showSplash();
    /// The About role: the timer stopped and the OK button shown.
    void showAbout();

    /// Each time the window becomes active: the picture, then the language of the remembered settings.
    void Form_Activate();
    /// Shows the picture made for the screen's resolution (96 or 120 dots per inch).
    void chkWinFont1();
    /// Reads the language keys of the settings file; false (and nothing changed) on a failure.
    bool Open_Logo_Ini(const std::string& file);
    /// Puts the active language on the labels; true when they were set from a language file.
    bool Open_Logo_Lng(const std::string& file);

    void Timer1_Timer();
    void Bt_Close_Click();
    void Form_KeyPress();
    void Form_Click();

    /// Runs when the splash role ends: the editor and the main window come up.
    std::function<void()> SplashDone;

    std::array<Label, kLabels> Lb_Logo;
    Picture Image1, Image2;
    CommandButton Bt_Close;
    /// The window's own copy of the "LanguageFile" setting.
    std::string LanguageFile;
    /// The title of the About window, which has a frame; the splash has none.
    std::string Caption;

    bool aboutRole() const { return m_about; }
    bool timerRunning() const { return m_timer->enabled(); }
    /// The picture in front, which is the one that shows.
    const Picture& topImage() const { return *m_stack.back(); }
    /// Puts a picture behind the other.
    void sendToBack(Picture& picture);
    /// Closes (unloads) the window, in either role.
    void unload();

private:
    /// The window as it is created: English labels in their design fonts, the pictures in their first order.
    void create();

    Platform& m_platform;
    AppState& m_app;
    StringCatalogue m_catalogue;
    std::unique_ptr<ITimer> m_timer;
    std::array<Picture*, 2> m_stack;  ///< back to front
    bool m_about = false;
};
