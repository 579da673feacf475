// The editor's Win32 controls mirror their models and pass the user's clicks, picks and typing to them.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "WindowFixture.h"
#include "editor/Form1.h"
#include "gui/win32/ControlViews.h"
#include "gui/win32/EditorWindow.h"
#include "gui/win32/ToolTips.h"

namespace {

std::wstring statusPanel(HWND bar, int part) {
    wchar_t text[256] = {};
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

/// What the shell hands a window when a file is dropped on it at `point`.
HGLOBAL dropOf(const std::wstring& path, POINT point) {
    const std::size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

TEST(ControlViews, modelChanges_showInTheWindows) {
    WindowFixture f;
    Form1& form = f.form();
    form.Lb_Total.setCaption("Summe");
    form.Check1[7].setValue(1);
    form.Bt_Browse[2].setEnabled(false);
    form.MsgTime[4].setVisible(false);
    form.ProgressBar1.setMax(200);
    form.ProgressBar1.setValue(50);
    form.sbrStatus.setPanelText(2, "RS232 PORT: COM1");
    f.mdi().setCaption("Lobby - KVT3310");
    f.pump();

    EXPECT_EQ(WindowFixture::text(f.find("Lb_Total")), L"Summe");
    EXPECT_EQ(SendMessageW(f.find("Check1_7"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(f.find("Bt_Browse_2")));
    EXPECT_FALSE(IsWindowVisible(f.find("MsgTime_4")));
    EXPECT_EQ(SendMessageW(f.find("ProgressBar1"), PBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(statusPanel(f.find("sbrStatus"), 1), L"RS232 PORT: COM1");
    EXPECT_EQ(WindowFixture::text(f.main->window()), L"Lobby - KVT3310");
    // Tips: a control's own, and the whole text of a status panel too narrow for it, which ends in "…".
    form.imgNotConnected.setToolTipText("Connect");
    const std::string longText =
        "Port /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0 cannot be opened: "
        "permission denied; add the user to the group dialout and log in again";
    form.sbrStatus.setPanelText(1, longText);
    f.pump();
    ToolTips& tips = f.main->editor().views().tips();
    EXPECT_EQ(tips.windowTip(f.find("imgNotConnected")), L"Connect");
    const std::wstring shown = statusPanel(f.find("sbrStatus"), 0);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), L'\u2026');
    EXPECT_EQ(tips.areaTip(f.find("sbrStatus"), 1), std::wstring(longText.begin(), longText.end()));
    form.sbrStatus.setPanelText(1, "Ready");
    f.pump();
    EXPECT_EQ(statusPanel(f.find("sbrStatus"), 0), L"Ready");
    EXPECT_EQ(tips.areaTip(f.find("sbrStatus"), 1), L"");
    // Disabled: the content, not the frame, which must still take a close.
    f.mdi().setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(f.main->editor().window()));
    EXPECT_TRUE(IsWindowEnabled(f.main->window()));
}

TEST(ControlViews, greekCharset_givesTheControlAGreekFont) {
    WindowFixture f;
    f.form().Lb_Total.setCharset(161);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(f.find("Lb_Total"), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfCharSet, GREEK_CHARSET);
}

TEST(ControlViews, clicksAndTyping_reachTheModels) {
    WindowFixture f;
    Form1& form = f.form();
    int sent = 0;
    form.Bt_SendMessage.Click = [&] { ++sent; };
    SendMessageW(f.find("Bt_SendMessage"), BM_CLICK, 0, 0);
    EXPECT_EQ(sent, 1);

    const int before = form.Check1[1].value();
    SendMessageW(f.find("Check1_1"), BM_CLICK, 0, 0);
    EXPECT_NE(form.Check1[1].value(), before);
    EXPECT_EQ(SendMessageW(f.find("Check1_1"), BM_GETCHECK, 0, 0) == BST_CHECKED, form.Check1[1].value() != 0);

    form.WaveFile[1].setLocked(false);
    HWND name = f.find("WaveFile_1");
    SetFocus(name);
    for (wchar_t c : std::wstring(L"Gong"))
        SendMessageW(name, WM_CHAR, c, 0);
    EXPECT_EQ(form.WaveFile[1].text(), "Gong");
    form.WaveFile[1].setLocked(true);
    EXPECT_TRUE(GetWindowLongW(name, GWL_STYLE) & ES_READONLY);
}

TEST(ControlViews, pickInAStepList_reachesTheModel) {
    WindowFixture f;
    ComboBox& step = f.form().TRG1[1];
    // An empty set locks the steps; a set with messages opens them.
    step.setLocked(false);
    step.DropDown = [&step] {
        step.clear();
        for (const char* item : {"", "1", "2"})
            step.addItem(item);
    };
    HWND box = f.find("TRG1_1");
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 3);
    SendMessageW(box, CB_SETCURSEL, 2, 0);
    SendMessageW(f.main->editor().page(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(box));
    SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(step.text(), "2");

    int keyCode = 0;
    step.KeyDown = [&](int& code, int) { keyCode = code; };
    SendMessageW(box, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(keyCode, VK_DELETE);
}

TEST(ControlViews, fileDroppedOnASlotsBrowseButton_goesToItsBox) {
    WindowFixture f;
    TextBox& slot = f.form().WaveFile[3];
    std::string dropped;
    slot.AcceptsDrop = [] { return true; };
    slot.OLEDragDrop = [&](const std::string& path) { dropped = path; };
    HWND page = f.main->editor().page();
    RECT browse{};
    GetWindowRect(f.find("Bt_Browse_3"), &browse);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&browse), 2);
    const POINT centre{(browse.left + browse.right) / 2, (browse.top + browse.bottom) / 2};
    SendMessageW(page, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(L"C:\\Sounds\\Gong \u00dcberall.wav", centre)), 0);
    EXPECT_EQ(dropped,
              "C:\\Sounds\\Gong \xc3\x9c"
              "berall.wav");

    dropped.clear();
    slot.AcceptsDrop = [] { return false; };
    SendMessageW(page, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(L"C:\\Gong.wav", centre)), 0);
    EXPECT_TRUE(dropped.empty());
}
