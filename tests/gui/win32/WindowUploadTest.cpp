// An upload from the window: Send clicked on the real button, through the Win32 serial port on COM1 to the
// emulated unit (KVT_UNIT_DUMP names its memory dump, KVT_UNIT_LOG its frame log), the window's messages running
// in the same loop as the port while the upload waits; then a configuration-only upload.
#include <windows.h>
// After windows.h:
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "WindowPicture.h"
#include "gui/win32/EditorWindow.h"
#include "gui/win32/Win32Fonts.h"
#include "gui/win32/Win32MainWindow.h"
#include "platform/win32/Win32EventPump.h"
#include "platform/win32/Win32SerialPort.h"
#include "shell/Application.h"
#include "shell/Workbench.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "support/UnitMemory.h"
#include "unitlink/SerialLink.h"

namespace {

using namespace UnitMemory;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

int dataFramesLogged(const std::string& log) {
    const Bytes all = readFileBytes(log);
    const std::string text(all.begin(), all.end());
    int frames = 0;
    for (auto at = text.find(" data frame at "); at != std::string::npos; at = text.find(" data frame at ", at + 1))
        ++frames;
    return frames;
}

}  // namespace

TEST(WindowUpload, sendClickedInTheWindow_uploadsThroughCom1_thenTheConfigurationAlone) {
    const std::string dump = environment("KVT_UNIT_DUMP"), log = environment("KVT_UNIT_LOG");
    ASSERT_FALSE(dump.empty()) << "COM1 must lead to the emulated unit (KVT_UNIT_DUMP)";
    TestPlatform test;
    Win32EventPump pump;
    Win32SerialPort port{pump};
    Platform platform = test.platformWith(test.fs, test.codec, port, pump);
    Application app{platform};
    app.StartUp();
    app.showEditor();
    Win32Fonts fonts(96);
    Win32MainWindow window(app.mdi(), app.form(), fonts);
    window.show();
    pump.setMessageDispatch([&window] {
        bool any = false;
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (window.translate(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return any;
    });
    app.bench().link().settings.Commport = 1;
    app.bench().link().settings.CommTimeOut = 3000;

    TempFolder folder;
    std::string paths[4];
    const std::uint32_t lengths[4] = {0, 48044, 36044, 20044};
    for (int slot = 1; slot <= 3; ++slot) {
        paths[slot] = folder.file("Message" + std::to_string(slot) + ".wav");
        writeFileBytes(paths[slot], waveFileBytes(lengths[slot], 8000u * static_cast<std::uint32_t>(slot), slot));
        test.fileDialog.chooseNext(paths[slot]);
        SendMessageW(window.editor().find("Bt_Browse_" + std::to_string(slot)), BM_CLICK, 0, 0);
    }
    Form1& form = app.form();
    form.TRG1[1].setText("2");
    form.Check1[1].setValue(1);
    const int framesBefore = log.empty() ? 0 : dataFramesLogged(log);

    // Halfway through the upload: a picture of the window, and a close as from its frame, which asks whether to
    // stop (answered No) while the content and the menus stay disabled.
    bool pictured = false, frameEnabled = false, contentEnabled = true, menusGrayed = false;
    test.msgBox.answerNext(IMessageBox::vbNo);
    const std::size_t shownBefore = test.msgBox.shown.size();
    const int watch = form.ProgressBar1.changed().connect([&] {
        if (!pictured && form.ProgressBar1.value() * 2 >= form.ProgressBar1.max() && form.ProgressBar1.max() > 0) {
            pictured = true;
            RedrawWindow(window.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            saveWindowPicture(window.window(), "window-upload.bmp");
            frameEnabled = IsWindowEnabled(window.window());
            contentEnabled = IsWindowEnabled(window.editor().window());
            menusGrayed = (GetMenuState(GetMenu(window.window()), 0, MF_BYPOSITION) & MF_GRAYED) != 0;
            PostMessageW(window.window(), WM_CLOSE, 0, 0);
        }
    });
    const auto start = std::chrono::steady_clock::now();
    SendMessageW(window.editor().find("Bt_SendMessage"), BM_CLICK, 0, 0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    form.ProgressBar1.changed().disconnect(watch);
    EXPECT_TRUE(frameEnabled);
    EXPECT_FALSE(contentEnabled);
    EXPECT_TRUE(menusGrayed);
    ASSERT_EQ(test.msgBox.shown.size(), shownBefore + 1);
    EXPECT_EQ(test.msgBox.shown.back().text, form.StopUploadQuestion);
    EXPECT_TRUE(IsWindow(window.window()));
    EXPECT_TRUE(IsWindowEnabled(window.editor().window()));
    const Bytes memory = readFileBytes(dump);
    ASSERT_EQ(memory.size(), 2u * 0x400000);
    for (int slot = 1; slot <= 3; ++slot) {
        const Bytes stored = storedFormOf(readFileBytes(paths[slot]));
        const std::int64_t entry = tableEntry(memory, slot);
        ASSERT_GE(entry, 0) << slot;
        EXPECT_EQ(at(memory, static_cast<std::uint32_t>(entry), stored.size()), stored) << slot;
    }
    if (!log.empty()) {
        const int frames = dataFramesLogged(log) - framesBefore;
        ASSERT_GT(frames, 0);
        // A figure for the script's summary: the whole upload (erase and tables too) per data frame.
        std::printf("window upload: %d data frames in %.2f s, %.2f ms a frame, %.3f of the 35.712 ms bound\n", frames,
                    seconds, 1000 * seconds / frames, 1000 * seconds / frames / 35.712);
    }

    // Only a trigger changes: the configuration alone goes.
    form.Check1[2].setValue(1);
    SendMessageW(window.editor().find("Bt_SendMessage"), BM_CLICK, 0, 0);
    const std::string done = form.sbrStatus.panelText(1);
    EXPECT_NE(done.find(form.StatusText[13].substr(0, form.StatusText[13].find_last_not_of(' ') + 1)),
              std::string::npos)
        << done;
    const Bytes second = readFileBytes(dump);
    EXPECT_EQ(at(second, 0, 2 * 0x3FF000), at(memory, 0, 2 * 0x3FF000));
}
