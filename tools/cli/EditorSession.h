#pragma once

#include <memory>
#include <string>

#include "HeadlessPlatform.h"

class Application;
class Form1;

/// The tool's core objects as the GUI builds them (the main window with the editor in it, over the
/// program-wide state), brought to the editor's start state without the window steps of start-up: no
/// instance marker, no window search, no splash, and no settings file read or written.
class EditorSession {
public:
    explicit EditorSession(HeadlessPlatform& headless);
    ~EditorSession();

    /// Applies the language of a built-in code ("en", "de" ...) or of an own ".lng" file; false when the
    /// code names neither or the language could not be applied.
    bool useLanguage(const std::string& code);

    Form1& form();
    HeadlessPlatform& headless() { return m_headless; }
    /// An absolute path for a file named on the command line, as the file dialog would return it.
    static std::string fullPath(const std::string& path);

private:
    HeadlessPlatform& m_headless;
    std::unique_ptr<Application> m_application;
};
