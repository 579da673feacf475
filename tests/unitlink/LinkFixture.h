#pragma once

#include "editor/Editor.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/PortConnection.h"
#include "shell/Workbench.h"
#include "support/TestPlatform.h"
#include "unitlink/SerialLink.h"

/// A loaded editor on the fake platform, its port not yet opened, with its link and connection at hand.
struct LinkFixture {
    TestPlatform test;
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{test.platform, app};
    Form1& form = editor.form();
    Workbench bench{test.platform, app, mdi, form};
    SerialLink& link = bench.link();
    PortConnection& port = bench.connection();

    LinkFixture() { form.Form_Load(); }
};
