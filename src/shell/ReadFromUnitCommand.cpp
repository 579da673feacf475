#include "shell/ReadFromUnitCommand.h"

#include "editor/FileFaults.h"
#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "settings/AppState.h"
#include "shell/FileCommands.h"
#include "shell/LinkPresenter.h"
#include "shell/MDIKVT3310.h"
#include "shell/UnitBackup.h"
#include "shell/Workbench.h"

ReadFromUnitCommand::ReadFromUnitCommand(Platform& platform, AppState& app, MDIKVT3310& mdi, Form1& form,
                                         Workbench& bench, FileCommands& files)
    : m_platform(platform), m_app(app), m_form(form), m_bench(bench), m_files(files) {
    mdi.Read_from_unit.Click = [this] { Read_from_unit_Click(); };
}

void ReadFromUnitCommand::Read_from_unit_Click() {
    if (!m_files.offerSave())
        return;
    CommonDialog& dialog = m_form.CommonDialog1;
    if (!m_app.strMSGFilePath.empty())
        dialog.InitDir = m_app.strMSGFilePath;
    const auto folder = dialog.ShowFolder(m_form.ReadBackText[kReadBackFolder]);
    if (!folder || folder->empty())
        return;
    UnitBackup& backup = m_bench.backup();
    // One question for all the files of an earlier backup: they belong together.
    std::string names;
    for (const std::string& name : backup.existingFiles(*folder))
        names += (names.empty() ? "" : ", ") + name;
    if (!names.empty()) {
        std::string question = m_form.ReadBackText[kReadBackReplace];
        if (auto at = question.find("%1"); at != std::string::npos)
            question.replace(at, 2, names);
        // No is the default, as for a save over a file.
        if (m_platform.msgBox.MsgBox(question,
                                     IMessageBox::vbYesNo | IMessageBox::vbExclamation | IMessageBox::vbDefaultButton2,
                                     m_form.Caption) != IMessageBox::vbYes)
            return;
    }

    const UnitBackup::Result result = backup.run(*folder);
    LinkPresenter& presenter = m_bench.presenter();
    presenter.showReadBack(presenter.statusText(result.outcome, result.contents.messages.size()));
    IMessageBox& box = m_platform.msgBox;
    if (!result.failedFile.empty()) {
        box.Beep();
        box.MsgBox(FileFaults::withFile(m_form.ReadBackText[kReadBackWriteFailed], result.failedFile, result.reason),
                   IMessageBox::vbOKOnly | IMessageBox::vbExclamation, m_form.Caption);
    }
    if (const auto damaged = result.contents.damagedSlots(); !damaged.empty()) {
        std::string slots;
        for (int slot : damaged)
            slots += (slots.empty() ? " " : ", ") + std::to_string(slot);
        box.MsgBox(m_form.ReadBackText[kReadBackDamaged] + slots, IMessageBox::vbOKOnly | IMessageBox::vbExclamation,
                   m_form.Caption);
    }
    if (result.complete())
        m_files.openFile(result.config);
    if (Ended)
        Ended();
}
