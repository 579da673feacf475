#include "EditorSession.h"

#include <filesystem>

#include "editor/Form1.h"
#include "editor/MessageSlots.h"
#include "platform/Utf8Path.h"
#include "settings/AppState.h"
#include "settings/BuiltInLanguages.h"
#include "shell/Application.h"
#include "shell/InstanceMarker.h"
#include "shell/LanguageApplier.h"

EditorSession::EditorSession(HeadlessPlatform& headless)
    : m_headless(headless), m_application(std::make_unique<Application>(headless.platform())) {
    AppState& app = m_application->app();
    IFileSystem& fs = headless.platform().fs;
    const std::string programFolder = fs.programFolder() + fs.separator();
    for (std::string* folder : {&app.strAPPFilePath, &app.strLNGFilePath, &app.stroLNGFilePath, &app.strMSGFilePath,
                                &app.strWAVFilePath, &app.strTMPFilePath})
        *folder = programFolder;
    // Applying a language rewrites the marker of a running window program; this program is none.
    headless.files().capture(InstanceMarker(headless.platform(), app, m_application->mdi()).path());
    m_application->form().Form_Load();
    // Nobody is there to answer the offer; the convert command makes the copy instead.
    m_application->form().slots().OfferCopies = false;
}

EditorSession::~EditorSession() = default;

Form1& EditorSession::form() {
    return m_application->form();
}

bool EditorSession::useLanguage(const std::string& code) {
    AppState& app = m_application->app();
    Form1& f = form();
    if (const BuiltInLanguage* language = BuiltInLanguages::byCode(code)) {
        app.LngExternal = false;
        app.LngBase = language->lngBase;
        f.LanguageFile = language->fileName;
        return f.language().OpenLng(f.LanguageFile);
    }
    const std::filesystem::path file = utf8Path(code);
    if (file.extension() != ".lng" && file.extension() != ".LNG")
        return false;
    app.LngExternal = true;
    f.LanguageFile = utf8String(file.filename());
    return f.language().OpenLng(fullPath(code));
}

std::string EditorSession::fullPath(const std::string& path) {
    std::error_code ec;
    auto full = std::filesystem::absolute(utf8Path(path), ec);
    return ec ? path : utf8String(full.lexically_normal());
}
