#include "shell/Application.h"

#include <array>
#include <charconv>
#include <utility>

#include "editor/FormTexts.h"
#include "editor/Playback.h"
#include "settings/CodePageCodec.h"
#include "settings/CodePages.h"
#include "settings/IniProcedures.h"
#include "settings/TextValues.h"
#include "shell/FileCommands.h"
#include "shell/InstanceMarker.h"
#include "shell/LanguageMenu.h"
#include "shell/LinkPresenter.h"
#include "shell/ReadFromUnitCommand.h"
#include "shell/SettingsBinding.h"

namespace {

/// The built-in language files and their language bases. Names are compared exactly: "IT.LNG" is an own file.
const std::array<std::pair<const char*, std::int16_t>, 11> kBuiltInLanguages = {{{"en.lng", 0},
                                                                                 {"nl.lng", 1000},
                                                                                 {"fr.lng", 2000},
                                                                                 {"de.lng", 3000},
                                                                                 {"es.lng", 4000},
                                                                                 {"it.lng", 5000},
                                                                                 {"pt.lng", 6000},
                                                                                 {"cs.lng", 7000},
                                                                                 {"fi.lng", 8000},
                                                                                 {"no.lng", 9000},
                                                                                 {"el.lng", 10000}}};

}  // namespace

Application::Application(Platform& platform)
    : m_platform(platform),
      m_editor(platform, m_app),
      m_bench(platform, m_app, m_mdi, m_form),
      m_splash(platform, m_app) {
    m_mdi.QueryUnload = [this] { return MDIForm_QueryUnload(); };
    m_splash.SplashDone = [this] { showEditor(); };
    m_mdi.About_Tavro_message_manager.Click = [this] {
        SettingsBinding(m_form, m_mdi, m_bench.link()).SaveIni(m_bench.settingsFile());
        m_splash.Caption = m_mdi.About_Tavro_message_manager.caption();
        m_splash.showAbout();
    };
    // Once the main window goes, nothing of the program may stay behind: no About window keeping the
    // program alive unseen, no sound playing on.
    m_mdi.Unload = [this] {
        m_editor.playback().stopPlaying();
        m_splash.unload();
    };
    m_fileCommands = std::make_unique<FileCommands>(platform, m_app, m_mdi, m_editor);
    m_bench.UploadEnded = [this](const UploadOutcome& outcome) {
        if (!m_closeAfterUpload)
            return;
        m_closeAfterUpload = false;
        // The window is about to go: what the unit now holds is said where it can still be read.
        if (m_stopAsked && outcome.result == UploadOutcome::Result::Stopped)
            m_platform.msgBox.MsgBox(m_bench.presenter().statusText(outcome),
                                     IMessageBox::vbOKOnly | IMessageBox::vbExclamation, m_mdi.caption());
        m_stopAsked = false;
        m_mdi.requestClose();
    };
    m_readFromUnit = std::make_unique<ReadFromUnitCommand>(platform, m_app, m_mdi, m_form, m_bench, *m_fileCommands);
    m_readFromUnit->Ended = [this] {
        if (!m_closeAfterUpload)
            return;
        m_closeAfterUpload = false;
        m_stopAsked = false;
        m_mdi.requestClose();
    };
    SaveAsCommand = [this] { return m_fileCommands->saveAs(); };
    // Where no code page is fixed, the files are in the code page of the language this application shows.
    m_platform.codec.followLanguage(&m_app.LngBase);
}

Application::~Application() {
    m_platform.codec.followLanguage(nullptr);
}

bool Application::StartUp() {
    m_app.blnChanged = false;
    m_app.stroLNGFilePathType = false;
    const char sep = m_platform.fs.separator();
    const std::string programFolder = m_platform.fs.programFolder() + sep;
    for (std::string* folder : {&m_app.strAPPFilePath, &m_app.strLNGFilePath, &m_app.stroLNGFilePath,
                                &m_app.strMSGFilePath, &m_app.strWAVFilePath, &m_app.strTMPFilePath}) {
        if (folder->empty() || folder->back() != sep)
            *folder = programFolder;
    }

    m_app.strRunningCaption.clear();
    InstanceMarker marker(m_platform, m_app, m_mdi);
    if (marker.exists())
        marker.ReadTempFile();
    auto running = m_platform.windows.FindWindowA(MDIKVT3310::kWindowClass, m_app.strRunningCaption);

    IniProcedures ini(m_platform.fs, m_platform.codec);
    std::string language = ini.ReadIni("File Paths", "LanguageFile", programFolder + "KVT3310.INI").value_or("");
    if (language.empty())
        language = "en.lng";
    m_app.LngExternal = true;
    for (const auto& [name, base] : kBuiltInLanguages) {
        if (language == name) {
            m_app.LngExternal = false;
            m_app.LngBase = base;
        }
    }

    if (running != 0) {
        m_platform.windows.ShowWindow(running, IWindowSearch::kShowNormal);
        return false;
    }
    settleCodePage(programFolder + "KVT3310.INI");
    // A second copy looks for the caption as the marker file gives it back, after the code page: a caption
    // with letters the code page lacks must still match.
    auto caption = [this] {
        if (!m_editorShown)
            return std::string();
        return m_platform.codec.toUtf8(m_platform.codec.fromUtf8(m_mdi.caption()));
    };
    m_platform.windows.publish(MDIKVT3310::kWindowClass, caption, [this] { raiseRequested.emit(); });
    m_splash.showSplash();
    return true;
}

void Application::showEditor() {
    if (m_editorShown)
        return;
    m_editorShown = true;
    m_form.Form_Load();
    mainWindowShown.emit();
    m_bench.activate();
    if (m_unknownCodePage) {
        std::string text = m_form.UnknownCodePageText;
        for (auto [mark, value] :
             {std::pair{"%1", *m_unknownCodePage}, std::pair{"%2", std::to_string(m_platform.codec.codePage())}}) {
            if (auto at = text.find(mark); at != std::string::npos)
                text.replace(at, 2, value);
        }
        m_unknownCodePage.reset();
        m_platform.msgBox.MsgBox(text, IMessageBox::vbOKOnly | IMessageBox::vbExclamation, m_mdi.caption());
    }
}

void Application::settleCodePage(const std::string& settingsFile) {
    // Files keep the code page they were written in whatever language the menus later show: the first start
    // fixes it and the settings keep it. A value the program does not know is replaced by the one used, so
    // it is said once.
    IniProcedures ini(m_platform.fs, m_platform.codec);
    const std::string named(
        TextValues::trimmed(ini.ReadIni("File paths", CodePageCodec::kSettingsKey, settingsFile).value_or("")));
    int value = 0;
    const auto [end, error] = std::from_chars(named.data(), named.data() + named.size(), value);
    const bool known = error == std::errc() && end == named.data() + named.size() && CodePages::table(value);
    const bool fixedNow = m_platform.codec.fixForLanguage(m_app.LngBase).has_value();
    if (!named.empty() && !known && m_platform.codec.codePage() != 0)
        m_unknownCodePage = named;
    if (fixedNow || m_unknownCodePage)
        ini.WriteIni("File paths", CodePageCodec::kSettingsKey, m_platform.codec.codePage(), settingsFile);
}

bool Application::stopUploadAndClose() {
    if (!m_bench.uploading() && !m_bench.readingBack())
        return false;
    m_closeAfterUpload = true;
    m_bench.stopUpload();
    return true;
}

bool Application::MDIForm_QueryUnload() {
    if (m_bench.uploading() || m_bench.readingBack()) {
        // The upload or the read waits below this question. The window must not go while it runs: it is
        // stopped, and the close comes back once it has ended.
        if (!m_closeAfterUpload) {
            const std::string& question =
                m_bench.readingBack() ? m_form.ReadBackText[kReadBackStopQuestion] : m_form.StopUploadQuestion;
            if (m_platform.msgBox.MsgBox(question,
                                         IMessageBox::vbYesNo | IMessageBox::vbQuestion | IMessageBox::vbDefaultButton2,
                                         m_mdi.caption()) != IMessageBox::vbYes)
                return false;
            m_stopAsked = true;
        }
        stopUploadAndClose();
        return false;
    }
    SettingsBinding(m_form, m_mdi, m_bench.link()).SaveIni(m_bench.settingsFile());
    if (!m_app.blnChanged)
        return true;
    int answer = m_platform.msgBox.MsgBox(m_form.MDI_MsgInfo[0].caption(),
                                          IMessageBox::vbYesNoCancel | IMessageBox::vbQuestion, m_mdi.caption());
    switch (answer) {
        case IMessageBox::vbYes:
            // Closing after a cancelled or failed save would lose the changes: the program runs on instead.
            return SaveAsCommand ? SaveAsCommand() : true;
        case IMessageBox::vbNo: {
            InstanceMarker marker(m_platform, m_app, m_mdi);
            if (marker.exists())
                marker.remove();
            return true;
        }
        default:
            return false;
    }
}
