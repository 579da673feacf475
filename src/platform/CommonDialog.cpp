#include "platform/CommonDialog.h"

bool CommonDialog::show(bool save) {
    FileDialogRequest request{Filter, FilterIndex, FileName, InitDir, save};
    auto chosen = m_backend.run(request);
    if (chosen) {
        FileName = *chosen;
        return true;
    }
    if (CancelError) return false;
    FileName.clear();
    return true;
}
