#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/Editor.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/EmulatorPeer.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "unitlink/UploadImage.h"

/// A loaded editor on the fake platform with the emulated unit at the other end of the fake port, and
/// helpers to make wave files, choose them for slots and look into the unit's memory.
struct UploadFixture {
    using Bytes = std::vector<std::uint8_t>;

    TestPlatform test;
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{test.platform, app};
    Form1& form = editor.form();
    Workbench bench{test.platform, app, mdi, form};
    std::unique_ptr<EmulatorPeer> peer;

    explicit UploadFixture(UnitFaults faults = {}) {
        form.Caption = "KVT3310";
        form.Form_Load();
        peer = std::make_unique<EmulatorPeer>(test.serial, std::move(faults));
    }
    EmulatedUnit& unit() { return peer->unit; }
    static UnitFaults nakOn(std::set<int> frames) {
        UnitFaults faults;
        faults.nakFrames = std::move(frames);
        return faults;
    }
    static UnitFaults corruptOn(std::set<int> frames) {
        UnitFaults faults;
        faults.corruptFrames = std::move(frames);
        return faults;
    }
    static UnitFaults silentAfter(int frames) {
        UnitFaults faults;
        faults.silentAfter = frames;
        return faults;
    }
    /// A fresh unit with other faults; the old one's memory is gone.
    void replaceUnit(UnitFaults faults = {}) {
        peer.reset();
        peer = std::make_unique<EmulatorPeer>(test.serial, std::move(faults));
    }

    /// A 16-bit mono 8000 Hz wave file of exactly `length` bytes (at least 44), its sound bytes varied by
    /// `seed`, LF bytes among them.
    std::string wave(const std::string& name, std::uint32_t length, int seed = 1) {
        std::string path = test.folder.file(name);
        writeFileBytes(path, waveBytes(length, seed));
        return path;
    }
    static Bytes waveBytes(std::uint32_t length, int seed) { return waveFileBytes(length, 8000, seed); }
    static Bytes fileBytes(const std::string& path) { return readFileBytes(path); }

    /// The user picks `path` for slot `i` through its Browse button.
    void choose(int i, const std::string& path) {
        test.fileDialog.chooseNext(path);
        form.Bt_Browse[i].click();
    }
    void upload() { form.Bt_SendMessage.click(); }
    /// The upload's image holds a set of `bytes` in all, as during an upload.
    void useTotal(std::int32_t bytes) {
        MessageSet set;
        set.TFileLength = bytes;
        bench.image().setMessageSet(set);
    }
    std::string status() const { return form.sbrStatus.panelText(1); }
    /// The status line showing `StatusText`(index).
    std::string statusOf(int index) const {
        return trimmed(form.StatusText[11]) + " " + trimmed(form.StatusText[index]);
    }
    static std::string trimmed(std::string text) {
        text.erase(text.find_last_not_of(' ') + 1);
        text.erase(0, text.find_first_not_of(' '));
        return text;
    }

    /// `count` bytes of the unit's memory from a word address.
    Bytes memory(std::uint32_t wordAddress, std::size_t count) {
        const auto& m = unit().memory();
        return Bytes(m.begin() + 2 * wordAddress, m.begin() + 2 * wordAddress + count);
    }
    /// Entry `i` (1..12) of the message table in the unit's memory as a word address, -1 for FF FF FF FF.
    std::int64_t tableAddress(int i) {
        Bytes e = memory(0x3FF000 + 2 * (i - 1), 4);
        if (e == Bytes(4, 0xFF))
            return -1;
        return static_cast<std::int64_t>(e[0]) << 24 | e[1] << 16 | e[2] << 8 | e[3];
    }
};
