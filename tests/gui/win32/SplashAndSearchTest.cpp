// The splash and About window over its model, the menu letters, and a running copy found by its caption.
#include <windows.h>
// After windows.h:
#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "gui/win32/MenuLetters.h"
#include "gui/win32/SplashWindow.h"
#include "platform/win32/desktop/Win32WindowSearch.h"
#include "shell/frmSplash.h"

TEST(SplashWindow, aboutRole_isFramedOverTheMainWindow_andAKeyClosesIt) {
    WindowFixture f;
    SplashWindow splash(f.app.splash(), f.fonts);
    splash.setOwner(f.main->window());
    f.app.splash().showAbout();
    // The window manager places a new window a moment after it maps; the window takes its place after that.
    for (int i = 0; i < 10; ++i) {
        f.pump();
        Sleep(50);
    }
    ASSERT_TRUE(IsWindowVisible(splash.window()));
    EXPECT_TRUE(GetWindowLongW(splash.window(), GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(IsWindowVisible(splash.closeButton()));
    EXPECT_EQ(WindowFixture::text(splash.label(1)), L"KVT3310/00 set up");
    RECT about{}, owner{};
    GetWindowRect(splash.window(), &about);
    GetWindowRect(f.main->window(), &owner);
    EXPECT_NEAR((about.left + about.right) / 2, (owner.left + owner.right) / 2, 2);

    SendMessageW(splash.window(), WM_CHAR, VK_ESCAPE, 0);
    f.pump();
    EXPECT_FALSE(f.app.splash().visible());
    EXPECT_FALSE(IsWindowVisible(splash.window()));
}

TEST(MenuLetters, eachCaptionGetsALetterOfItsOwn) {
    struct Case {
        std::vector<std::wstring> captions, texts;
    };
    const Case cases[] = {
        {{L"File", L"Setup", L"Help"}, {L"&File", L"&Setup", L"&Help"}},
        {{L"Save", L"Save as", L"Save as text file"}, {L"&Save", L"Save &as", L"Save as &text file"}},
        {{L"Αρχείο", L"Ρυθμίσεις"}, {L"&Αρχείο", L"&Ρυθμίσεις"}},
        {{L"A&B", L"a"}, {L"&A&&B", L"a"}},
        {{L"Com1", L"Com2"}, {L"&Com1", L"C&om2"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuLetters::assign(c.captions), c.texts);
    EXPECT_EQ(MenuLetters::letterOf(L"Save &as"), L'a');
    EXPECT_EQ(MenuLetters::letterOf(L"A&&B"), 0);
}

TEST(Win32WindowSearch, aRunningCopy_isFoundByItsCaption) {
    WindowFixture f;
    f.mdi().setCaption("KVT 3310 Tavro message manager set up: Lobby.cfg");
    Win32WindowSearch search(f.test.codec);
    const auto found = search.FindWindowA("ThunderRT6MDIForm", "KVT 3310 Tavro message manager set up: Lobby.cfg");
    EXPECT_EQ(reinterpret_cast<HWND>(found), f.main->window());
    EXPECT_EQ(search.FindWindowA("ThunderRT6MDIForm", "another caption"), 0);

    ShowWindow(f.main->window(), SW_MINIMIZE);
    search.ShowWindow(found, IWindowSearch::kShowNormal);
    EXPECT_FALSE(IsIconic(f.main->window()));
}
