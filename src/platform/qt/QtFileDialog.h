#pragma once

#include <QStringList>

#include "platform/IFileDialogBackend.h"

/// The open and save dialogs on QFileDialog.
class QtFileDialog : public IFileDialogBackend {
public:
    std::optional<std::string> run(const FileDialogRequest& request) override;

    /// The "|"-separated description and pattern pairs as Qt name filters. Each pattern is matched without
    /// regard to case, as files come from installations whose file systems ignore it, and "*.*" stands for
    /// every file, dotted or not. The descriptions are shown as given (the filter details are hidden).
    static QStringList nameFilters(const std::string& filter);
};
