#pragma once

#include <array>
#include <functional>
#include <memory>

#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "platform/Picture.h"
#include "platform/Platform.h"

/// The splash window, which also serves as the About window: the title lines, the release line and the
/// maker's notices. As the splash it hands over to the editor after two seconds.
class frmSplash : public Control {
public:
    static constexpr int kLabels = 10;
    static constexpr int kSplashMs = 2000;

    explicit frmSplash(Platform& platform);

    /// The splash role: shown by the start-up with the timer running.
    void showSplash();
    /// The About role: the timer stopped and the OK button shown.
    void showAbout();

    void Timer1_Timer();
    void Bt_Close_Click();
    void Form_KeyPress();

    /// Runs when the splash role ends: the editor and the main window come up.
    std::function<void()> SplashDone;

    std::array<Label, kLabels> Lb_Logo;
    Picture Image1, Image2;
    CommandButton Bt_Close;
    bool aboutRole() const { return m_about; }

private:
    void unload();

    Platform& m_platform;
    std::unique_ptr<ITimer> m_timer;
    bool m_about = false;
};
