#pragma once

#include "editor/Form1.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "support/TestPlatform.h"
#include "unitlink/PortConnection.h"
#include "unitlink/SerialLink.h"

/// A loaded editor on the fake platform, its port not yet opened, with its link and connection at hand.
struct LinkFixture {
    TestPlatform test;
    AppState app;
    MDIKVT3310 mdi;
    Form1 form{test.platform, app, mdi};
    SerialLink& link = form.link();
    PortConnection& port = form.connection();

    LinkFixture() { form.Form_Load(); }
};
