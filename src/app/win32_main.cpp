// The Windows window program: the Win32 platform, the application over it, and the windows that show its models.
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <memory>

#include "gui/win32/SplashWindow.h"
#include "gui/win32/Win32Fonts.h"
#include "gui/win32/Win32MainWindow.h"
#include "platform/Platform.h"
#include "platform/StdFileSystem.h"
#include "platform/SystemCodePage.h"
#include "platform/null/NoWaveConverter.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32EventPump.h"
#include "platform/win32/Win32SerialPort.h"
#include "platform/win32/Win32SerialPortList.h"
#include "platform/win32/desktop/Win32FileDialog.h"
#include "platform/win32/desktop/Win32MessageBox.h"
#include "platform/win32/Win32ProgramFolder.h"
#include "platform/win32/desktop/Win32Screen.h"
#include "platform/win32/desktop/Win32TextViewer.h"
#include "platform/win32/desktop/Win32WavPlayer.h"
#include "platform/win32/desktop/Win32WindowSearch.h"
#include "settings/CodePageCodec.h"
#include "shell/Application.h"

namespace {

/// The manifest asks for per-monitor awareness; a system that does not read it (older Windows, Wine) is asked
/// here, else the program's sizes and the system's scaled drawing would disagree.
void awareOfResolution() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (setContext && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        return;
    SetProcessDPIAware();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    awareOfResolution();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);

    StdFileSystem fs(Win32ProgramFolder::resolve());
    CodePageCodec codec;
    codec.choose(fs, systemCodePage());
    Win32MessageBox msgBox("KVT3310");
    Win32FileDialog fileDialog;
    Win32EventPump events;
    Win32SerialPort serial(events);
    Win32WavPlayer player;
    Win32Clock clock;
    Win32WindowSearch windows(codec);
    Win32TextViewer viewer;
    Win32Screen screen;
    Win32SerialPortList ports;
    NoWaveConverter converter;
    Platform platform{fs,    codec,   msgBox, fileDialog, serial, player,   events,
                      clock, windows, viewer, screen,     ports,  converter};

    Application application(platform);
    // Declared after the application, so the windows go before the models they show.
    Win32Fonts fonts(screen.logPixelsX());
    std::unique_ptr<Win32MainWindow> mainWindow;
    SplashWindow splash(application.splash(), fonts);
    bool quit = false;
    application.mainWindowShown.connect([&] {
        mainWindow = std::make_unique<Win32MainWindow>(application.mdi(), application.form(), fonts);
        mainWindow->busyPointer = [&screen] { return screen.mousePointer() == IScreen::vbHourglass; };
        mainWindow->destroyed = [&quit] { quit = true; };
        mainWindow->show();
        splash.setOwner(mainWindow->window());
    });
    application.raiseRequested.connect([&] {
        if (mainWindow)
            mainWindow->showNormalAndRaise();
    });

    // The window messages run in the same loop as the serial port and the timers, also inside a handler that
    // waits (an upload).
    events.setMessageDispatch([&] {
        bool any = false;
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (message.message == WM_QUIT) {
                quit = true;
                break;
            }
            if (mainWindow && mainWindow->translate(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return any;
    });
    if (!application.StartUp())
        return 0;
    while (!quit)
        events.waitForEvents();
    return 0;
}
