#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Platform.h"

struct AppState;
class Editor;
class Form1;
class MDIKVT3310;

/// The main window's file and help commands: Open, Save, Save as, Save as text file, Save as with its files,
/// Instructions for use and Contacts. They keep `MessageFile`, `strMSGFilePath`, `blnChanged` and the caption up to
/// date around the configuration file and the printout of the editor. Wires the menu items of `mdi`.
///
/// A command that fails changes none of that state: `blnChanged` is cleared only after the set was saved
/// or a configuration opened, and a failed Open or Save as leaves the current file name as it was.
class FileCommands {
public:
    static constexpr const char* kDefaultConfig = "MessageSetup.cfg";
    static constexpr const char* kDefaultPrintout = "PrintSetup.txt";
    static constexpr const char* kInstructionsFile = "IFU Tavro Message manager.TXT";
    static constexpr const char* kContactsFile = "Contacts Norvik.TXT";

    FileCommands(Platform& platform, AppState& app, MDIKVT3310& mdi, Editor& editor);

    void open();
    /// Opens the configuration file `path` as Open does once the dialog has returned it.
    void openFile(const std::string& path);
    /// Before the editor's set is replaced: offers to save unsaved changes; false when the user wanted them
    /// saved and the save did not happen.
    bool offerSave();
    /// Saves to the current configuration file; true when it was written. Before a configuration has been
    /// opened or saved in this run there is none yet, and the user is asked for one as in Save as: the name
    /// remembered from an earlier day may hold another installation's set.
    bool save();
    /// Asks for a file and saves to it; false when the user cancelled or the save failed (the close
    /// request then keeps the program running).
    bool saveAs();
    void saveAsTextFile();
    /// Asks for a folder and saves the set there with copies of its wave files; the editor then holds the
    /// copy, as after Save as. False when the user cancelled or the set could not be packed.
    bool saveAsWithFiles();
    void instructionsForUse();
    void contacts();

    struct SplitPath {
        std::string folder;  ///< up to and including the last separator; empty without one
        std::string name;    ///< after the last separator; the whole path without one
    };
    static SplitPath splitPath(const std::string& path, char separator);
    /// The configuration file name saved for a chosen name: the part before its first "." followed by
    /// ".cfg", or the whole name followed by ".cfg" when it has no "."; the default name for an empty one.
    static std::string configName(const std::string& name);

private:
    void prepareConfigDialog();
    /// Shows the save dialog until the user chooses where to save: `fileFor` gives the file that a chosen
    /// path is saved to, and an existing one is replaced only when the user agrees, else the dialog comes
    /// back. The chosen path, or nothing when the dialog was cancelled.
    std::optional<std::string> chooseFileToSave(const std::function<std::string(const std::string&)>& fileFor);
    bool confirmReplace(const std::string& file);
    void viewProgramFile(const char* name);
    /// The file Save writes from now on, its folder, and the title that names it.
    void useFile(const std::string& folder, const std::string& file, const std::string& title);

    Platform& m_platform;
    AppState& m_app;
    MDIKVT3310& m_mdi;
    Editor& m_editor;
    Form1& m_form;
    /// A configuration was opened or saved in this run: Save writes to it without asking.
    bool m_haveFile = false;
};
