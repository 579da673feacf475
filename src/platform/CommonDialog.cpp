#include "platform/CommonDialog.h"

bool CommonDialog::show(bool save) {
    const FileDialogRequest request{.filter = Filter,
                                    .filterIndex = FilterIndex,
                                    .fileName = FileName,
                                    .initDir = InitDir,
                                    .save = save,
                                    .overwritePrompt = save && (Flags & cdlOFNOverwritePrompt) != 0};
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
