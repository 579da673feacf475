// Uploads through the Win32 serial port: COM1 leads to the emulated unit (KVT_UNIT_DUMP names its memory dump,
// KVT_UNIT_LOG its frame log); a full and a configuration-only upload, memory checked from the dump.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editor/Editor.h"
#include "platform/win32/Win32EventPump.h"
#include "platform/win32/Win32SerialPort.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
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

struct Win32Upload {
    TempFolder folder;
    std::string dump = environment("KVT_UNIT_DUMP");
    std::string log = environment("KVT_UNIT_LOG");
    TestPlatform test;
    Win32EventPump pump;
    Win32SerialPort port{pump};
    Platform platform = test.platformWith(test.fs, test.codec, port, pump);
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{platform, app};
    Form1& form = editor.form();
    Workbench bench{platform, app, mdi, form};
    std::string paths[13];

    Win32Upload() {
        form.Form_Load();
        bench.link().settings.Commport = 1;
        bench.link().settings.CommTimeOut = 3000;
    }
    void choose(int slot, const std::string& name, std::uint32_t length, std::uint32_t rate, int seed) {
        paths[slot] = folder.file(name);
        writeFileBytes(paths[slot], waveFileBytes(length, rate, seed));
        test.fileDialog.chooseNext(paths[slot]);
        form.Bt_Browse[slot].click();
    }
    std::string status(int index) const {
        auto trim = [](std::string t) {
            t.erase(t.find_last_not_of(' ') + 1);
            return t;
        };
        return trim(form.StatusText[11]) + " " + trim(form.StatusText[index]);
    }
    int logCount(const std::string& text) const {
        Bytes all = readFileBytes(log);
        std::string s(all.begin(), all.end());
        int n = 0;
        for (auto p = s.find(text); p != std::string::npos; p = s.find(text, p + 1))
            ++n;
        return n;
    }
};

TEST(UploadWin32E2E, fullThenConfigurationOnly_throughCom1) {
    if (environment("KVT_UNIT_DUMP").empty())
        GTEST_SKIP() << "COM1 does not lead to the emulated unit (KVT_UNIT_DUMP)";
    Win32Upload u;
    u.choose(1, "Gong.wav", 24045, 8000, 1);
    u.choose(2, "Fire.wav", 40044, 16000, 2);
    u.choose(3, "Exit.wav", 7399, 22050, 3);
    u.form.TRG1[1].setText("2");
    u.form.TRG1[2].setText("3");
    u.form.Check1[1].setValue(1);
    u.form.Check1[4].setValue(1);

    u.form.Bt_SendMessage.click();
    ASSERT_EQ(u.form.sbrStatus.panelText(1), u.status(2));
    EXPECT_FALSE(u.port.portOpen());
    EXPECT_TRUE(u.mdi.enabled());
    const Bytes first = readFileBytes(u.dump);
    ASSERT_EQ(first.size(), 2u * 0x400000);
    for (int i = 1; i <= 3; ++i) {
        const Bytes stored = storedFormOf(readFileBytes(u.paths[i]));
        const std::int64_t entry = tableEntry(first, i);
        ASSERT_GE(entry, 0) << i;
        EXPECT_EQ(at(first, static_cast<std::uint32_t>(entry), stored.size()), stored) << i;
    }
    for (int i = 4; i <= 12; ++i)
        EXPECT_EQ(tableEntry(first, i), -1) << i;
    EXPECT_EQ(at(first, 0x3FF100, 10), (Bytes{0, 2, 0, 3, 0, 0, 0, 0, 0, 0x09}));

    // Only a trigger changes: the tables alone are rewritten, the messages stay where they are.
    u.form.TRG1[5].setText("1");
    u.form.Check1[6 + 6].setValue(1);
    u.form.Bt_SendMessage.click();
    ASSERT_EQ(u.form.sbrStatus.panelText(1), u.status(13));
    const Bytes second = readFileBytes(u.dump);
    ASSERT_EQ(second.size(), first.size());
    EXPECT_EQ(at(second, 0, 2 * 0x3FF000), at(first, 0, 2 * 0x3FF000));
    EXPECT_EQ(at(second, 0x3FF100 + 5, 5), (Bytes{0, 1, 0, 0, 0}));
    EXPECT_EQ(at(second, 0x3FF100 + 9, 2), (Bytes{0, 0x20}));
    if (!u.log.empty()) {
        EXPECT_EQ(u.logCount("command E [3F FF FF]"), 1);
        EXPECT_EQ(u.logCount("command E [3F F1 00]"), 1);
    }
}

}  // namespace
