#pragma once

#include <optional>
#include <string>

#include "platform/IFileDialogBackend.h"

/// The one common file dialog of the editor, shared by every command: a property that a command does not
/// set keeps the value last given to it.
class CommonDialog {
public:
    explicit CommonDialog(IFileDialogBackend& backend) : m_backend(backend) {}

    /// `Flags`: a save asks before it replaces an existing file.
    static constexpr int cdlOFNOverwritePrompt = 0x2;

    bool CancelError = false;
    int Flags = 0;
    std::string Filter;
    int FilterIndex = 1;
    std::string FileName;
    std::string InitDir;

    /// Show for opening or saving. On a choice `FileName` holds the full path and the result is true.
    /// A cancel is reported as false when `CancelError` is set (and leaves `FileName` as it was); without
    /// it, as true with an empty `FileName`.
    bool ShowOpen() { return show(false); }
    bool ShowSave() { return show(true); }
    /// Asks for a folder, under the title given, starting in `InitDir`; the folder chosen is returned,
    /// nothing on a cancel. The file properties are left as they are.
    std::optional<std::string> ShowFolder(const std::string& title);
    /// True when the dialog has already asked the user before returning an existing file for a save with
    /// `cdlOFNOverwritePrompt`; otherwise the command that writes the file asks.
    bool overwriteConfirmed() const { return (Flags & cdlOFNOverwritePrompt) != 0 && m_backend.confirmsOverwrite(); }

private:
    bool show(bool save);
    IFileDialogBackend& m_backend;
};
