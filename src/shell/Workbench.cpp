#include "shell/Workbench.h"

#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/MovedFiles.h"
#include "settings/AppState.h"
#include "shell/LanguageApplier.h"
#include "shell/LanguageMenu.h"
#include "shell/LinkPresenter.h"
#include "shell/MDIKVT3310.h"
#include "shell/PortConnection.h"
#include "shell/ServicePanel.h"
#include "shell/SettingsBinding.h"
#include "shell/UnitBackup.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UnitReadBack.h"
#include "unitlink/UploadImage.h"
#include "unitlink/UploadSequence.h"

Workbench::Workbench(Platform& platform, AppState& app, MDIKVT3310& mdi, Form1& form)
    : m_platform(platform), m_app(app), m_mdi(mdi), m_form(form) {
    m_language = std::make_unique<LanguageApplier>(form, mdi);
    m_languageMenu = std::make_unique<LanguageMenu>(form, mdi, *m_language);
    m_presenter = std::make_unique<LinkPresenter>(form, mdi);
    m_link = std::make_unique<SerialLink>(platform, app, *m_presenter);
    m_connection = std::make_unique<PortConnection>(form, mdi, *m_link);
    m_presenter->setConnection(*m_connection);
    m_erase = std::make_unique<EraseOperation>(*m_link, *m_presenter);
    m_image = std::make_unique<UploadImage>(platform, *m_link, *m_erase, *m_presenter, *m_presenter);
    m_upload = std::make_unique<UploadSequence>(
        UploadSequence::Parts{platform, *m_link, *m_image, *m_erase, *m_connection}, *m_presenter, *m_presenter);
    m_service = std::make_unique<ServicePanel>(form, *m_link, *m_image, *m_erase, *m_presenter);
    m_readBack = std::make_unique<UnitReadBack>(UnitReadBack::Parts{platform, *m_link, *m_image, *m_connection},
                                                *m_presenter, *m_presenter);
    m_backup = std::make_unique<UnitBackup>(platform, app, *m_readBack);

    form.Bt_SendMessage.Click = [this] { sendMessages(); };
    m_language->applied.connect([this] { m_connection->showTips(); });
    m_connection->ProgressStep = [this] {
        if (m_readBack->running())
            m_readBack->ProgressStep();
        else
            m_upload->ProgressStep();
    };
    ProtocolTrace& trace = m_link->trace();
    mdi.Trace.Click = [this, &trace] {
        trace.setEnabled(!trace.enabled());
        if (trace.enabled())
            m_presenter->traceFileShown(trace.file());
    };
    trace.enabledChanged = [&mdi](bool on) { mdi.Trace.setChecked(on); };
    trace.writeFailed = [this](const std::string& file, const std::string& reason) {
        m_presenter->traceUnwritable(file, reason);
    };
    // The panel's own caption ("STATUS:", in the language shown) is no part of the status traced.
    auto statusShown = [&trace, &form] {
        trace.statusShown(form.sbrStatus.panelText(1), form.StatusText[kStatusCaption]);
    };
    statusShown();
    m_statusConnection = form.sbrStatus.changed().connect(statusShown);
}

Workbench::~Workbench() {
    m_form.sbrStatus.changed().disconnect(m_statusConnection);
    m_mdi.Trace.Click = nullptr;
    m_link->trace().writeFailed = nullptr;
    m_connection->ProgressStep = nullptr;
    m_form.Bt_SendMessage.Click = nullptr;
}

std::string Workbench::settingsFile() const {
    return m_app.strAPPFilePath + "KVT3310.INI";
}

void Workbench::activate() {
    const std::string settings = settingsFile();
    const bool settingsExist = m_platform.fs.exists(settings);
    if (settingsExist)
        SettingsBinding(m_form, m_mdi, *m_link).OpenIni(settings);
    m_languageMenu->applyRemembered(settingsExist);
    m_form.Form_Activate();
}

std::optional<UploadOutcome> Workbench::sendMessages(EmptySet emptySet) {
    // A set whose files were carried beside it after it was opened uploads from there.
    MovedFiles(m_form).findBeside(m_app.strMSGFilePath);
    const MessageSet set = m_form.messageSet();
    if (!set.hasMessageFile() && emptySet == EmptySet::Ask) {
        const int answer = m_platform.msgBox.MsgBox(
            m_form.EraseAllText, IMessageBox::vbYesNo | IMessageBox::vbQuestion | IMessageBox::vbDefaultButton2,
            m_form.Caption);
        if (answer != IMessageBox::vbYes)
            return std::nullopt;
    }
    const UploadOutcome outcome = m_upload->send(set);
    if (outcome.result == UploadOutcome::Result::FullUploadDone)
        m_form.MsgUnchanged = true;
    if (UploadEnded)
        UploadEnded(outcome);
    return outcome;
}

bool Workbench::uploading() const {
    return m_upload->running();
}

void Workbench::stopUpload() {
    m_upload->requestStop();
    m_readBack->requestStop();
}

bool Workbench::readingBack() const {
    return m_readBack->running();
}
