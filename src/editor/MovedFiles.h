#pragma once

#include <string>

class Form1;

/// Brings back the wave files of a set that was carried to another folder, drive or PC with them: each named
/// slot whose stored path leads nowhere takes the file `WaveLocator` finds beside the set. The editor shows the
/// new paths and the set counts as changed, so that Save writes them; the status line says how many were found.
/// A file of the name that is not the set's is never taken silently: a message names it.
class MovedFiles {
public:
    explicit MovedFiles(Form1& form) : m_form(form) {}

    /// Looks for the files of the set whose configuration file lies in `setFolder`; returns how many were
    /// found beside it.
    int findBeside(const std::string& setFolder);

private:
    Form1& m_form;
};
