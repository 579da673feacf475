#pragma once

#include <functional>

struct AppState;
class FileCommands;
class Form1;
class MDIKVT3310;
class Workbench;
struct Platform;

/// The main window's File, "Read from unit…": offers to save unsaved changes, asks for a folder, asks before
/// files of an earlier backup there are replaced, reads the unit with the window held and the progress shown,
/// writes the messages and the set, and opens that set in the editor, so that the next Send finds the unit
/// holding its files and rewrites only the configuration.
class ReadFromUnitCommand {
public:
    ReadFromUnitCommand(Platform& platform, AppState& app, MDIKVT3310& mdi, Form1& form, Workbench& bench,
                        FileCommands& files);

    void Read_from_unit_Click();
    /// Runs when a read has ended and the window is given back.
    std::function<void()> Ended;

private:
    Platform& m_platform;
    AppState& m_app;
    Form1& m_form;
    Workbench& m_bench;
    FileCommands& m_files;
};
