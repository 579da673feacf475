#pragma once

#include <functional>
#include <memory>

#include "editor/Editor.h"
#include "platform/Platform.h"
#include "platform/Signal.h"
#include "settings/AppState.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "shell/frmSplash.h"

class FileCommands;
class ReadFromUnitCommand;

/// The program: start-up, the windows and shutdown. Owns the program-wide state, the main window, the
/// editor and the splash, over the platform it is given.
class Application {
public:
    explicit Application(Platform& platform);
    ~Application();

    /// The start-up procedure. False when another copy of the program is running: it has been shown, and
    /// this copy ends without a window.
    bool StartUp();
    /// Brings up the main window with the editor in it (once, when the splash ends).
    void showEditor();

    /// The close request of the main window: writes the settings, then offers to save unsaved changes.
    /// False keeps the program running. While an upload or a read of the unit runs it asks whether to stop it;
    /// stopped, the close goes on once it has ended.
    bool MDIForm_QueryUnload();
    /// A request from outside to end the program while an upload runs: the upload is stopped without a
    /// question and the close follows its end. False when no upload runs.
    bool stopUploadAndClose();

    AppState& app() { return m_app; }
    MDIKVT3310& mdi() { return m_mdi; }
    Editor& editor() { return m_editor; }
    Form1& form() { return m_editor.form(); }
    /// The language, the unit link and the upload around the editor.
    Workbench& bench() { return m_bench; }
    frmSplash& splash() { return m_splash; }
    /// Open, Save, Save as, Save as text file and the Help items of the main window.
    FileCommands& fileCommands() { return *m_fileCommands; }
    /// File, "Read from unit…".
    ReadFromUnitCommand& readFromUnit() { return *m_readFromUnit; }
    bool editorShown() const { return m_editorShown; }

    /// The main window's Save as command; true when the set was saved.
    std::function<bool()> SaveAsCommand;

    /// For the views: the main window is to be shown; a second copy asked to see this one.
    Signal<> mainWindowShown;
    Signal<> raiseRequested;

private:
    Platform& m_platform;
    AppState m_app;
    MDIKVT3310 m_mdi;
    Editor m_editor;
    Form1& m_form = m_editor.form();
    Workbench m_bench;
    frmSplash m_splash;
    std::unique_ptr<FileCommands> m_fileCommands;
    /// Fixes the code page of the files for good at the first start, and keeps it in the settings.
    void settleCodePage(const std::string& settingsFile);
    std::unique_ptr<ReadFromUnitCommand> m_readFromUnit;
    bool m_editorShown = false;
    /// The settings' code page value that the program did not know, said once the window shows.
    std::optional<std::string> m_unknownCodePage;
    bool m_closeAfterUpload = false;
    /// The user said Yes to stopping the upload: the stopped outcome is shown before the window goes.
    bool m_stopAsked = false;
};
