#pragma once

#include <string>

#include "settings/Settings.h"

class Form1;
class MDIKVT3310;
class SerialLink;

/// Between the settings file and the windows: `OpenIni` puts what the file holds into the link's serial
/// settings, the editor's file names, the program-wide folders, the port marks of the main window's Setup menu and the
/// protocol trace; `SaveIni` writes the file from them. Both report a failure themselves (beep and message)
/// and return false.
class SettingsBinding {
public:
    SettingsBinding(Form1& form, MDIKVT3310& mdi, SerialLink& link) : m_form(form), m_mdi(mdi), m_link(link) {}

    bool OpenIni(const std::string& file);
    bool SaveIni(const std::string& file);

    /// The settings as the link, the editor, the program-wide state and the trace hold them now.
    Settings current() const;
    /// Gives the link, the editor and the program-wide state the settings' values; the menu marks and the trace are
    /// `OpenIni`'s to set, as far as its read got.
    void take(const Settings& settings);

private:
    /// Beeps and shows the message; `detail` (the value the file could not hold, or the file's path) follows
    /// the catalogue text.
    void fail(const std::string& detail = {});

    Form1& m_form;
    MDIKVT3310& m_mdi;
    SerialLink& m_link;
};
