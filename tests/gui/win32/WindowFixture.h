#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "gui/win32/EditorWindow.h"
#include "gui/win32/Win32Fonts.h"
#include "gui/win32/Win32MainWindow.h"
#include "shell/Application.h"
#include "support/TestPlatform.h"

/// The program's Win32 windows over the real models and the test fakes, at `dpi` dots per inch: started up,
/// the splash over, the main window showing the editor.
struct WindowFixture {
    TestPlatform test;
    Application app{test.platform};
    Win32Fonts fonts;
    std::unique_ptr<Win32MainWindow> main;

    explicit WindowFixture(int dpi = 96) : fonts(dpi) {
        app.StartUp();
        app.showEditor();
        main = std::make_unique<Win32MainWindow>(app.mdi(), app.form(), fonts);
        main->show();
        pump();
    }

    Form1& form() { return app.form(); }
    MDIKVT3310& mdi() { return app.mdi(); }
    HWND find(const std::string& name) const { return main->editor().find(name); }

    /// Runs the window messages that are pending, as the program's loop does.
    void pump() const {
        MSG message{};
        for (int round = 0; round < 3; ++round) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (main && main->translate(message))
                    continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(1);
        }
    }

    static std::wstring text(HWND window) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return text;
    }
};
