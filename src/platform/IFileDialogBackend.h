#pragma once

#include <optional>
#include <string>

/// What the shared file dialog shows.
struct FileDialogRequest {
    std::string filter;   ///< description and pattern pairs, all separated by "|"
    int filterIndex = 1;  ///< 1-based pair selected when the dialog opens
    std::string fileName;
    std::string initDir;
    bool save = false;
    /// A save that must not replace an existing file without the user's agreement.
    bool overwritePrompt = false;
    /// Asks for a folder rather than a file (the program writes files into it); `title` says what for.
    bool folder = false;
    std::string title = {};
};

/// The platform's open and save dialogs.
class IFileDialogBackend {
public:
    virtual ~IFileDialogBackend() = default;
    /// The full path chosen, or nothing when the user cancelled.
    virtual std::optional<std::string> run(const FileDialogRequest& request) = 0;
    /// True when the dialog itself asks before it returns an existing file for a request with
    /// `overwritePrompt` (as a system dialog given OFN_OVERWRITEPROMPT does); otherwise the program asks.
    virtual bool confirmsOverwrite() const { return false; }
};
