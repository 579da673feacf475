#include "shell/FileCommands.h"

#include "editor/ConfigFile.h"
#include "editor/Editor.h"
#include "editor/FormTexts.h"
#include "editor/SetPacker.h"
#include "editor/TextPrintout.h"
#include "settings/AppState.h"
#include "shell/InstanceMarker.h"
#include "shell/MDIKVT3310.h"

FileCommands::FileCommands(Platform& platform, AppState& app, MDIKVT3310& mdi, Editor& editor)
    : m_platform(platform), m_app(app), m_mdi(mdi), m_editor(editor), m_form(editor.form()) {
    mdi.Open.Click = [this] { open(); };
    mdi.Save.Click = [this] { save(); };
    mdi.Save_as.Click = [this] { saveAs(); };
    mdi.Save_as_text_file.Click = [this] { saveAsTextFile(); };
    mdi.Save_as_with_its_files.Click = [this] { saveAsWithFiles(); };
    mdi.Instructions_for_use.Click = [this] { instructionsForUse(); };
    mdi.Contacts.Click = [this] { contacts(); };
    mdi.Instructions_for_use.setVisible(true);
    mdi.Contacts.setVisible(true);
}

FileCommands::SplitPath FileCommands::splitPath(const std::string& path, char separator) {
    auto last = path.rfind(separator);
    if (last == std::string::npos)
        return {"", path};
    return {path.substr(0, last + 1), path.substr(last + 1)};
}

std::string FileCommands::configName(const std::string& name) {
    if (name.empty())
        return kDefaultConfig;
    return name.substr(0, name.find('.')) + ".cfg";
}

void FileCommands::prepareConfigDialog() {
    CommonDialog& dialog = m_form.CommonDialog1;
    dialog.CancelError = true;
    dialog.Filter = std::string("All Files (*.*)|*.*|") + "Message Files (*.cfg)|*.cfg";
    dialog.FilterIndex = 2;
    dialog.FileName = m_form.MessageFile;
    if (!m_app.strMSGFilePath.empty())
        dialog.InitDir = m_app.strMSGFilePath;
}

bool FileCommands::offerSave() {
    if (!m_app.blnChanged)
        return true;
    int answer = m_platform.msgBox.MsgBox(m_form.MDI_MsgInfo[0].caption(),
                                          IMessageBox::vbYesNo | IMessageBox::vbQuestion, m_mdi.caption());
    // The user asked to keep the changes: opening over them after a failed save would lose them.
    return answer != IMessageBox::vbYes || save();
}

void FileCommands::open() {
    if (!offerSave())
        return;
    if (m_form.MessageFile.empty())
        m_form.MessageFile = kDefaultConfig;
    prepareConfigDialog();
    if (!m_form.CommonDialog1.ShowOpen())
        return;
    openFile(m_form.CommonDialog1.FileName);
}

void FileCommands::openFile(const std::string& path) {
    SplitPath chosen = splitPath(path, m_platform.fs.separator());
    bool opened = m_editor.config().OpenConfig(chosen.folder + chosen.name);
    // A file that could not be read must not become the target of the next Save.
    if (opened)
        useFile(chosen.folder, chosen.name, chosen.name);
    m_form.CommonDialog1.FileName.clear();
    InstanceMarker(m_platform, m_app, m_mdi).WriteTempFile();
    // Files found beside a moved set give it paths its file does not hold yet: Save is still to write them.
    if (opened)
        m_app.blnChanged = m_editor.config().filesFoundBeside() > 0;
}

bool FileCommands::save() {
    if (!m_haveFile)
        return saveAs();
    m_form.MessageFile = configName(m_form.MessageFile);
    if (!m_editor.config().SaveConfig(m_app.strMSGFilePath + m_form.MessageFile))
        return false;
    useFile(m_app.strMSGFilePath, m_form.MessageFile, m_form.MessageFile);
    m_app.blnChanged = false;
    return true;
}

void FileCommands::useFile(const std::string& folder, const std::string& file, const std::string& title) {
    m_form.MessageFile = file;
    m_app.strMSGFilePath = folder;
    m_form.SetFolder = folder;
    m_mdi.setCaption(m_app.strBaseCaption + title);
    m_haveFile = true;
}

std::optional<std::string> FileCommands::chooseFileToSave(
    const std::function<std::string(const std::string&)>& fileFor) {
    CommonDialog& dialog = m_form.CommonDialog1;
    dialog.Flags |= CommonDialog::cdlOFNOverwritePrompt;
    while (dialog.ShowSave()) {
        const std::string& chosen = dialog.FileName;
        const std::string file = fileFor(chosen);
        // A dialog that asked did so about the name it returned, not about a name the command changed.
        if ((dialog.overwriteConfirmed() && file == chosen) || !m_platform.fs.exists(file) || confirmReplace(file))
            return chosen;
    }
    return std::nullopt;
}

bool FileCommands::confirmReplace(const std::string& file) {
    std::string question = m_form.ReplaceFileText;
    const std::string name = splitPath(file, m_platform.fs.separator()).name;
    if (auto at = question.find("%1"); at != std::string::npos)
        question.replace(at, 2, name);
    // No is the default: Enter on a proposed name must not replace the file.
    const int answer = m_platform.msgBox.MsgBox(
        question, IMessageBox::vbYesNo | IMessageBox::vbExclamation | IMessageBox::vbDefaultButton2, m_form.Caption);
    return answer == IMessageBox::vbYes;
}

bool FileCommands::saveAs() {
    prepareConfigDialog();
    const char separator = m_platform.fs.separator();
    const auto path = chooseFileToSave([separator](const std::string& chosen) {
        const SplitPath split = splitPath(chosen, separator);
        return split.folder + configName(split.name);
    });
    if (!path)
        return false;

    SplitPath chosen = splitPath(*path, separator);
    std::string file = configName(chosen.name);
    bool saved = m_editor.config().SaveConfig(chosen.folder + file);
    m_form.CommonDialog1.FileName.clear();
    if (!saved)
        return false;
    useFile(chosen.folder, file, chosen.name);
    m_app.blnChanged = false;
    return true;
}

void FileCommands::saveAsTextFile() {
    CommonDialog& dialog = m_form.CommonDialog1;
    dialog.CancelError = true;
    dialog.Filter = std::string("All Files (*.*)|*.*|Text Files") + "(*.txt)|*.txt";
    dialog.FilterIndex = 2;
    dialog.FileName = kDefaultPrintout;
    if (!m_app.strAPPFilePath.empty())
        dialog.InitDir = m_app.strAPPFilePath;
    auto printoutFor = [](const std::string& chosen) {
        return chosen.empty() ? std::string(kDefaultPrintout) : chosen;
    };
    const auto chosen = chooseFileToSave(printoutFor);
    if (!chosen)
        return;

    std::string path = printoutFor(*chosen);
    bool written = m_editor.printout().PrintOutTxt(path);
    dialog.FileName.clear();
    // An older file of that name would be shown as if it were this printout.
    if (written)
        m_platform.viewer.view(path);
}

bool FileCommands::saveAsWithFiles() {
    CommonDialog& dialog = m_form.CommonDialog1;
    if (!m_app.strMSGFilePath.empty())
        dialog.InitDir = m_app.strMSGFilePath;
    const auto folder = dialog.ShowFolder(m_form.SetFilesText[kSetFilesFolderTitle]);
    if (!folder || folder->empty())
        return false;
    const auto written = m_editor.packer().pack(*folder, configName(m_haveFile ? m_form.MessageFile : std::string()));
    if (!written)
        return false;
    const SplitPath saved = splitPath(*written, m_platform.fs.separator());
    useFile(saved.folder, saved.name, saved.name);
    m_app.blnChanged = false;
    return true;
}

void FileCommands::instructionsForUse() {
    viewProgramFile(kInstructionsFile);
}

void FileCommands::contacts() {
    viewProgramFile(kContactsFile);
}

void FileCommands::viewProgramFile(const char* name) {
    m_platform.viewer.view(m_platform.fs.programFolder() + m_platform.fs.separator() + name);
}
