#include "EditorSession.h"

#include <filesystem>

#include "platform/Utf8Path.h"
#include "settings/AppState.h"
#include "settings/BuiltInLanguages.h"
#include "shell/HeadlessEditor.h"
#include "shell/InstanceMarker.h"

EditorSession::EditorSession(HeadlessPlatform& headless) : m_headless(headless) {
    IFileSystem& fs = headless.platform().fs;
    m_editor = std::make_unique<HeadlessEditor>(headless.platform(), fs.programFolder() + fs.separator());
    // Applying a language rewrites the marker of a running window program; this program is none.
    headless.files().capture(InstanceMarker(headless.platform(), m_editor->app(), m_editor->mdi()).path());
}

EditorSession::~EditorSession() = default;

bool EditorSession::useLanguage(const std::string& code) {
    if (const BuiltInLanguage* language = BuiltInLanguages::byCode(code)) {
        m_editor->app().LngBase = language->lngBase;
        return m_editor->useLanguage(language->fileName, language->fileName, false);
    }
    const std::filesystem::path file = utf8Path(code);
    if (file.extension() != ".lng" && file.extension() != ".LNG")
        return false;
    return m_editor->useLanguage(utf8String(file.filename()), fullPath(code), true);
}

std::string EditorSession::fullPath(const std::string& path) {
    std::error_code ec;
    auto full = std::filesystem::absolute(utf8Path(path), ec);
    return ec ? path : utf8String(full.lexically_normal());
}
