#pragma once

#include <memory>
#include <string>

#include "HeadlessPlatform.h"

class HeadlessEditor;

/// The tool's editor without a window over the headless platform, in the editor's start state, with the
/// files it would write that the tool must not leave behind captured.
class EditorSession {
public:
    explicit EditorSession(HeadlessPlatform& headless);
    ~EditorSession();

    /// Applies the language of a built-in code ("en", "de" ...) or of an own ".lng" file; false when the
    /// code names neither or the language could not be applied.
    bool useLanguage(const std::string& code);

    HeadlessEditor& editor() { return *m_editor; }
    HeadlessPlatform& headless() { return m_headless; }
    /// An absolute path for a file named on the command line, as the file dialog would return it.
    static std::string fullPath(const std::string& path);

private:
    HeadlessPlatform& m_headless;
    std::unique_ptr<HeadlessEditor> m_editor;
};
