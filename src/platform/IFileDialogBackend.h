#pragma once

#include <optional>
#include <string>

/// What the shared file dialog shows.
struct FileDialogRequest {
    std::string filter;  ///< description and pattern pairs, all separated by "|"
    int filterIndex = 1; ///< 1-based pair selected when the dialog opens
    std::string fileName;
    std::string initDir;
    bool save = false;
};

/// The platform's open and save dialogs.
class IFileDialogBackend {
public:
    virtual ~IFileDialogBackend() = default;
    /// The full path chosen, or nothing when the user cancelled.
    virtual std::optional<std::string> run(const FileDialogRequest& request) = 0;
};
