// The Win32 adapters of the desktop on real windows: message boxes in the program's language, the sound output
// or its absence, the file dialogs' filter, the event loop still turning while a message box is open.
#include <windows.h>
// After windows.h:
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "platform/win32/Win32EventPump.h"
#include "platform/win32/desktop/Win32FileDialog.h"
#include "platform/win32/desktop/Win32MessageBox.h"
#include "platform/win32/desktop/Win32WavPlayer.h"
#include "support/TestPlatform.h"

namespace {

std::wstring itemText(HWND box, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(box, id, text, 64);
    return text;
}

}  // namespace

TEST(Win32MessageBox, buttons_showTheLanguagesCaptions_andTheAnswerComesBack) {
    Win32MessageBox messages("KVT3310");
    messages.setButtonTexts({"OK", "Abbrechen", "Ja", "Nein"});
    std::wstring yes, no, cancel, title;
    std::atomic<bool> answered = false;
    // The box is modal: another thread reads it as it stands and answers No.
    std::thread user([&] {
        for (int i = 0; i < 500 && !answered; ++i) {
            HWND box = FindWindowW(L"#32770", L"KVT3310");
            if (box && GetDlgItem(box, IDNO)) {
                yes = itemText(box, IDYES);
                no = itemText(box, IDNO);
                cancel = itemText(box, IDCANCEL);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
                answered = true;
                return;
            }
            Sleep(20);
        }
    });
    const int result = messages.MsgBox("Save the changes?", IMessageBox::vbYesNoCancel | IMessageBox::vbQuestion, "");
    answered = true;
    user.join();
    EXPECT_EQ(result, IMessageBox::vbNo);
    EXPECT_EQ(yes, L"&Ja");
    EXPECT_EQ(no, L"&Nein");
    EXPECT_EQ(cancel, L"Abbrechen");
}

TEST(Win32FileDialog, filter_becomesTheSystemsPairs) {
    EXPECT_EQ(Win32FileDialog::systemFilter("Configuration (*.cfg)|*.cfg|All|*.*"),
              std::wstring(L"Configuration (*.cfg)\0*.cfg\0All\0*.*\0\0", 37));
    EXPECT_TRUE(Win32FileDialog().confirmsOverwrite());
}

TEST(Win32WavPlayer, play_soundsOnTheOutput_orSaysThereIsNone) {
    TempFolder folder;
    const std::string path = folder.file("Gong.wav");
    {
        // 0.1 s of 16-bit mono silence at 8000 Hz.
        const char header[] =
            "RIFF\x64\x06\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0"
            "data\x40\x06\0\0";
        std::ofstream out(path, std::ios::binary);
        out.write(header, sizeof(header) - 1);
        out << std::string(1600, '\0');
    }
    Win32WavPlayer player;
    player.setFileName(path);
    ASSERT_TRUE(player.command("Open"));
    bool done = false;
    player.Done = [&] { done = true; };
    const bool played = player.command("Play");
    // Without an output the play fails, which the program reports as "no sound output" (Playback); with one,
    // it plays and reports its end from the message loop.
    EXPECT_EQ(played, waveOutGetNumDevs() > 0);
    if (played) {
        EXPECT_EQ(player.mode(), IWavPlayer::kModePlaying);
        MSG message{};
        for (int i = 0; i < 300 && !done; ++i) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            Sleep(10);
        }
        EXPECT_TRUE(done);
    }
    EXPECT_TRUE(player.command("Close"));
}

TEST(ModalLoopTurns, whileAMessageBoxIsOpen_theLoopsTimersAndWatchedHandlesStillRun) {
    Win32EventPump pump;
    pump.setMessageDispatch([] { return false; });
    HANDLE completion = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool completed = false;
    pump.watch(completion, [&] {
        ResetEvent(completion);
        completed = true;
    });
    Win32MessageBox messages("KVT3310 turns");
    int ticks = 0;
    auto timer = pump.createTimer();
    timer->setInterval(10);
    // The program's own timer, run from inside the box: it completes the handle, then answers the box once the
    // watch has seen it.
    timer->Timer = [&] {
        if (++ticks == 2)
            SetEvent(completion);
        if (completed)
            if (HWND box = FindWindowW(L"#32770", L"KVT3310 turns"))
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    };
    timer->setEnabled(true);
    std::atomic<bool> answered = false, answeredByUser = false;
    // Should the loop not turn, a user answers after 5 s, so the test ends and says so.
    std::thread user([&] {
        for (int i = 0; i < 250 && !answered; ++i)
            Sleep(20);
        if (HWND box = answered ? nullptr : FindWindowW(L"#32770", L"KVT3310 turns")) {
            answeredByUser = true;
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        }
    });
    messages.MsgBox("Uploading", IMessageBox::vbOKOnly, "");
    answered = true;
    user.join();
    timer->setEnabled(false);
    pump.unwatch(completion);
    CloseHandle(completion);
    EXPECT_TRUE(completed);
    EXPECT_GE(ticks, 2);
    EXPECT_FALSE(answeredByUser);
}
