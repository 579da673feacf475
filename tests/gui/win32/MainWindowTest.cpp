// The main window's close asks the model, which may refuse; Exit closes it through the model; the hourglass
// shows while the program is busy.
#include <windows.h>
// After windows.h:
#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "shell/MDIKVT3310.h"

TEST(MainWindow, closeBox_asksTheModel_andARefusalKeepsTheWindow) {
    WindowFixture f;
    int asked = 0;
    bool allow = false;
    f.mdi().QueryUnload = [&] {
        ++asked;
        return allow;
    };
    bool destroyed = false;
    f.main->destroyed = [&] { destroyed = true; };
    SendMessageW(f.main->window(), WM_CLOSE, 0, 0);
    f.pump();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindow(f.main->window()));

    allow = true;
    SendMessageW(f.main->window(), WM_CLOSE, 0, 0);
    f.pump();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(f.main->window()));
}

TEST(MainWindow, exitCommand_closesThroughTheModelOnce) {
    WindowFixture f;
    int asked = 0;
    f.mdi().QueryUnload = [&] {
        ++asked;
        return true;
    };
    f.mdi().Exit.click();
    f.pump();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(IsWindow(f.main->window()));
}

TEST(MainWindow, busyProgram_showsTheHourglassOverTheWindow) {
    WindowFixture f;
    bool busy = true;
    f.main->busyPointer = [&] { return busy; };
    HWND send = f.find("Bt_SendMessage");
    EXPECT_TRUE(SendMessageW(f.main->window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(send),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    busy = false;
    EXPECT_FALSE(SendMessageW(f.main->window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(send),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}
