#pragma once

#include <string>

#include "platform/IFileDialogBackend.h"

/// The system's Open and Save dialogs (the Save dialog asks itself before it replaces a file) and its folder
/// picker. Each is owned by the program's active window.
class Win32FileDialog : public IFileDialogBackend {
public:
    std::optional<std::string> run(const FileDialogRequest& request) override;
    bool confirmsOverwrite() const override { return true; }

    /// The filter as the system's dialogs take it: "|" made NUL, ending in two NULs.
    static std::wstring systemFilter(const std::string& filter);

private:
    std::optional<std::string> pickFolder(const FileDialogRequest& request);
};
