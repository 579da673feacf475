#pragma once

// An editor on the test platform, and a filled message set shared by the configuration and printout tests.

#include <string>

#include "editor/Editor.h"
#include "settings/AppState.h"
#include "support/TestPlatform.h"

struct LoadedEditor {
    TestPlatform test;
    AppState app;
    Editor editor{test.platform, app};
    Form1& form = editor.form();
    LoadedEditor() { form.Form_Load(); }
};

inline const std::string kLongName = "abcdefghijklmnopqrstuvwxy";  // 25 characters

/// Slots 1 to 10 filled (slot 3's path holds "=", slot 10 has a 25-character name and a size showing 0),
/// triggers 1, 2, 3 and 5 with steps and zones, triggers 4 and 6 to 12 never touched.
inline void fillSampleSet(Form1& f) {
    struct Slot {
        const char* name;
        const char* path;
        const char* time;
        int size;
        const char* kb;
        const char* rate;
    };
    const Slot slots[10] = {
        {"bell", "/sets/bell.day.wav", "1.00", 32200, "32", "8.000"},
        {"chime", "/sets/chime.wav", "0.25", 35350, "35", "22.050"},
        {"gong", "C:\\a=b\\x.wav", "2.50", 8050, "8", "16.000"},
        {"m4", "/sets/m4.wav", "0.50", 3500, "3", "16.000"},
        {"m5", "/sets/m5.wav", "0.50", 3500, "3", "16.000"},
        {"m6", "/sets/m6.wav", "0.50", 3500, "3", "16.000"},
        {"m7", "/sets/m7.wav", "0.50", 3500, "3", "16.000"},
        {"m8", "/sets/m8.wav", "0.50", 3500, "3", "16.000"},
        {"m9", "/sets/m9.wav", "0.50", 3500, "3", "16.000"},
        {kLongName.c_str(), "/sets/long name;'q'.wav", "12345.67", 700, "0", "24.000"},
    };
    for (int i = 1; i <= 10; ++i) {
        const Slot& s = slots[i - 1];
        f.FilePath[i] = s.path;
        f.WaveFile[i].setText(s.name);
        f.MsgTime[i].setCaption(s.time);
        f.TMsgSize[i] = s.size;
        f.MsgSize[i].setCaption(s.kb);
        f.MsgSample[i].setCaption(s.rate);
        f.MsgBt[i].setEnabled(true);
        f.Bt_Browse[i].setEnabled(true);
    }
    f.Bt_Browse[11].setEnabled(true);
    for (int j = 1; j <= 48; ++j) {
        f.TRG1[j].clear();
        f.TRG1[j].addItem(" ");
        for (int e = 1; e <= 10; ++e)
            f.TRG1[j].addItem(std::to_string(e));
    }
    auto steps = [&f](int t, const char* a, const char* b, const char* c, const char* d, int enabled) {
        const char* texts[4] = {a, b, c, d};
        for (int k = 1; k <= 4; ++k) {
            f.TRG1[4 * (t - 1) + k].setText(texts[k - 1]);
            f.TRG1[4 * (t - 1) + k].setEnabled(k <= enabled);
        }
    };
    steps(1, "1", "3", " ", " ", 3);
    steps(2, "10", "10", "10", "10", 4);
    steps(3, " ", " ", " ", " ", 1);
    steps(5, "1234567890", "2 ", " ", "", 3);
    for (int t : {1, 2, 5})
        f.TrgBt[t].setEnabled(true);
    f.TrgTime[1].setCaption("3.50");
    f.TrgTime[2].setCaption("49382.68");
    f.TrgTime[3].setCaption("0.00");
    f.TrgTime[5].setCaption("1.00");
    for (int z = 1; z <= 6; ++z)
        f.Check1[z].setValue(1);  // trigger 1: every zone
    for (int z : {1, 3, 6})
        f.Check1[6 + z].setValue(1);  // trigger 2
    f.Check1[72].setValue(1);         // trigger 12, zone 6
    f.TotalTime.setCaption("1234567.89");
    f.TotalSize.setCaption("98");
    f.TFileLength = 12345;  // stale on purpose: saving counts the sizes again
}
