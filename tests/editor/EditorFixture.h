#pragma once

#include <string>

#include "editor/Editor.h"
#include "editor/WaveFiles.h"
#include "settings/AppState.h"
#include "support/TestPlatform.h"

/// A loaded editor on the fake platform, with helpers to write wave files and choose them for slots.
struct EditorFixture {
    TestPlatform test;
    AppState app;
    Editor editor{test.platform, app};
    Form1& form = editor.form();

    EditorFixture() {
        form.Caption = "KVT3310 editor";
        form.Form_Load();
    }

    /// Writes a valid 16-bit mono wave file of `length` bytes into the test folder; returns its path.
    std::string wave(const std::string& name, std::uint32_t length = 16044, std::uint32_t dataSize = 16000,
                     std::uint32_t rate = 8000) {
        std::string path = test.folder.file(name);
        WaveFiles::writeOfLength(path, length, dataSize, rate);
        return path;
    }

    /// The user clicks `Bt_Browse`(i) and picks `path` in the dialog.
    void choose(int i, const std::string& path) {
        test.fileDialog.chooseNext(path);
        form.Bt_Browse[i].click();
    }

    std::vector<std::string> stepList(int k) const { return form.TRG1[k].list(); }
};
