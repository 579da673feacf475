#include "shell/HeadlessEditor.h"

#include "editor/ConfigFile.h"
#include "editor/Form1.h"
#include "editor/MessageSlots.h"
#include "editor/SetPacker.h"
#include "editor/TextPrintout.h"
#include "editor/WaveLocator.h"
#include "settings/AppState.h"
#include "shell/Application.h"
#include "shell/LanguageApplier.h"

HeadlessEditor::HeadlessEditor(Platform& platform, const std::string& folder)
    : m_application(std::make_unique<Application>(platform)) {
    AppState& app = m_application->app();
    for (std::string* each : {&app.strAPPFilePath, &app.strLNGFilePath, &app.stroLNGFilePath, &app.strMSGFilePath,
                              &app.strWAVFilePath, &app.strTMPFilePath})
        *each = folder;
    m_application->form().Form_Load();
    m_application->editor().slots().OfferCopies = false;
}

HeadlessEditor::~HeadlessEditor() = default;

bool HeadlessEditor::useLanguage(const std::string& fileName, const std::string& path, bool external) {
    m_application->app().LngExternal = external;
    m_application->form().LanguageFile = fileName;
    return m_application->bench().language().OpenLng(path);
}

bool HeadlessEditor::open(const std::string& path) {
    if (!m_application->editor().config().OpenConfig(path))
        return false;
    m_application->app().strMSGFilePath = WaveLocator::folderOf(path, m_application->form().platform().fs.separator());
    return true;
}

bool HeadlessEditor::save(const std::string& path) {
    return m_application->editor().config().SaveConfig(path);
}

bool HeadlessEditor::print(const std::string& path) {
    return m_application->editor().printout().PrintOutTxt(path);
}

int HeadlessEditor::filesFoundBeside() {
    return m_application->editor().config().filesFoundBeside();
}

std::optional<std::string> HeadlessEditor::pack(const std::string& folder, const std::string& configName) {
    return m_application->editor().packer().pack(folder, configName);
}

HeadlessEditor::Choice HeadlessEditor::choose(int slot, const std::string& path) {
    Form1& f = m_application->form();
    if (!f.Bt_Browse[slot].enabled())
        return Choice::NotYetOpen;
    f.Bt_Browse[slot].click();
    return !f.WaveFile[slot].text().empty() && f.FilePath[slot] == path ? Choice::Taken : Choice::Dropped;
}

HeadlessEditor::Pick HeadlessEditor::pickStep(int trigger, int step, int message) {
    ComboBox& list = m_application->form().TRG1[MessageSet::kSteps * (trigger - 1) + step];
    const std::string entry = std::to_string(message);
    int index = -1;
    for (int e = 0; e < list.listCount(); ++e)
        if (list.list()[static_cast<std::size_t>(e)] == entry)
            index = e;
    if (index < 0 || !list.enabled())
        return Pick::NotOffered;
    list.dropDown();
    list.pick(index);
    return list.text() == entry ? Pick::Taken : Pick::NotTaken;
}

void HeadlessEditor::checkZone(int trigger, int zone) {
    m_application->form().Check1[MessageSet::kZones * (trigger - 1) + zone].setValue(1);
}

MessageSet HeadlessEditor::set() const {
    return m_application->form().messageSet();
}

AppState& HeadlessEditor::app() {
    return m_application->app();
}

MDIKVT3310& HeadlessEditor::mdi() {
    return m_application->mdi();
}

Workbench& HeadlessEditor::bench() {
    return m_application->bench();
}

StatusBar& HeadlessEditor::statusBar() {
    return m_application->form().sbrStatus;
}

ProgressBar& HeadlessEditor::progressBar() {
    return m_application->form().ProgressBar1;
}

Label& HeadlessEditor::percentage() {
    return m_application->form().Lb_Percentage;
}
