#include "editor/MovedFiles.h"

#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/Formats.h"
#include "editor/WaveLocator.h"
#include "settings/AppState.h"

int MovedFiles::findBeside(const std::string& setFolder) {
    Form1& f = m_form;
    const WaveLocator locator(f.platform().fs, setFolder);
    int found = 0;
    std::string differing;
    for (int i = 1; i <= Form1::kSlots; ++i) {
        if (f.WaveFile[i].text().empty())
            continue;
        const WaveLocator::Found where = locator.locate(f.FilePath[i], f.TMsgSize[i]);
        if (where.where == WaveLocator::Where::Beside) {
            f.FilePath[i] = where.path;
            ++found;
        } else if (where.where == WaveLocator::Where::Differs) {
            differing += "\n" + std::to_string(i) + ": " + where.path;
        }
    }
    if (found > 0) {
        f.app().blnChanged = true;
        std::string text = Formats::trimmed(f.SetFilesText[kSetFilesFound]);
        if (const auto at = text.find("%1"); at != std::string::npos)
            text.replace(at, 2, std::to_string(found));
        else
            text += " " + std::to_string(found);
        f.sbrStatus.setPanelText(1, Formats::trimmed(f.StatusText[kStatusCaption]) + " " + text);
    }
    if (!differing.empty()) {
        f.platform().msgBox.Beep();
        f.platform().msgBox.MsgBox(f.SetFilesText[kSetFilesDiffer] + "\n" + differing, IMessageBox::vbOKOnly,
                                   f.Caption);
    }
    return found;
}
