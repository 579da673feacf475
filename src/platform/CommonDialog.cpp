#include "platform/CommonDialog.h"

bool CommonDialog::show(bool save) {
    const FileDialogRequest request{.filter = Filter,
                                    .filterIndex = FilterIndex,
                                    .fileName = FileName,
                                    .initDir = InitDir,
                                    .save = save,
                                    .overwritePrompt = save && (Flags & cdlOFNOverwritePrompt) != 0,
                                    .folder = false,
                                    .title = {}};
    auto chosen = m_backend.run(request);
    if (chosen) {
        FileName = *chosen;
        return true;
    }
    if (CancelError)
        return false;
    FileName.clear();
    return true;
}

std::optional<std::string> CommonDialog::ShowFolder(const std::string& title) {
    FileDialogRequest request;
    request.initDir = InitDir;
    request.folder = true;
    request.title = title;
    return m_backend.run(request);
}
