#pragma once

#include <cstddef>
#include <string>

class Form1;

/// The configuration file of a message set: 280 positional "key=value" lines, 8-bit text with CR LF.
/// The reader never looks at the keys; it takes the text after the first "=" of each line in a fixed order.
///
/// `OpenConfig` works in two phases: every line is read and converted first, so a bad file fails before the
/// editor changes at all; only then are the values set into the controls, which runs the editor's change
/// handlers exactly as user edits would.
class ConfigFile {
public:
    static constexpr int kLines = 280;
    /// The largest list a step combo can hold: the blank entry and the 12 message numbers.
    static constexpr int kMaxListCount = 13;
    /// The longest line a file can have: a key and a value no longer than the longest path there is (32767
    /// characters on Windows). The reader stops at a longer one, and the writer never writes one.
    static constexpr std::size_t kMaxLineLength = 32767 + 32;

    explicit ConfigFile(Form1& form) : m_form(form) {}

    /// Writes the set to `fileName` as a whole (the old file stays intact when this fails). On failure: beep,
    /// the save's message ("The configuration file could not be saved:") with the file and the system's reason
    /// (or the value the file could not hold), and false.
    bool SaveConfig(const std::string& fileName);
    /// Reads `fileName` and applies it to the editor; sets `MsgUnchanged`. On failure the editor is as it was:
    /// beep, "Configuration file cannot be found!" (`MsgText` 10) with the file and the system's reason, if any.
    /// The wave files of the set that are not at their stored paths are then looked for beside the file
    /// (`MovedFiles`).
    bool OpenConfig(const std::string& fileName);
    /// How many wave files the last `OpenConfig` found beside the file in place of their stored paths: the set
    /// then holds paths its file does not, and counts as changed.
    int filesFoundBeside() const { return m_foundBeside; }

private:
    /// Beeps and shows `wording` with the file and `reason`; returns false.
    bool fail(const std::string& wording, const std::string& fileName, const std::string& reason = {});

    Form1& m_form;
    int m_foundBeside = 0;
};
