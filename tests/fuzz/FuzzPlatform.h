#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "MemoryFileSystem.h"
#include "editor/Editor.h"
#include "platform/Platform.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/CoreFakes.h"

/// The fakes of the core tests around files in memory, and a loaded editor on them; one per fuzz input.
/// `watchdog(ms)` makes a wait past that time on the fake clock, or one that nothing could ever end, stop the
/// run as a hang.
struct FuzzPlatform : CoreFakes {
    MemoryFileSystem fs;
    Platform platform = platformWith(fs, codec);
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{platform, app};
    Form1& form = editor.form();
    Workbench bench{platform, app, mdi, form};

    FuzzPlatform() {
        const std::string folder = fs.programFolder() + "/";
        for (std::string* f : {&app.strAPPFilePath, &app.strLNGFilePath, &app.stroLNGFilePath, &app.strMSGFilePath,
                               &app.strWAVFilePath, &app.strTMPFilePath})
            *f = folder;
        form.Caption = "KVT3310";
        form.Form_Load();
    }

    void watchdog(std::int64_t limitMs) {
        events.onWait = [this, limitMs] {
            if (clock.steadyMs() > limitMs)
                hang("still waiting on the fake clock");
        };
    }
    /// Runs `body`; a wait that nothing could end (the fake pump throws) is a hang too.
    template <typename Body>
    static void guarded(Body body) {
        try {
            body();
        } catch (const std::exception& e) {
            hang(e.what());
        }
    }
    [[noreturn]] static void hang(const char* why) {
        std::fprintf(stderr, "hang: %s\n", why);
        std::abort();
    }
};

/// Stops the run with `what` when `condition` does not hold: the fuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition, what)                                                       \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", what, __FILE__, __LINE__); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)
