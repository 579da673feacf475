#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "EditorSession.h"
#include "HeadlessPlatform.h"

/// Exit status of the program: success, a refusal by the unit or of a file, or wrong usage.
enum ExitStatus : int { kSuccess = 0, kRefused = 1, kUsage = 2 };

/// What every command is run with: the streams, the platform and the language chosen.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    HeadlessPlatform& headless;
    std::string language = "en";

    /// A fresh editor in the chosen language; nothing when the language could not be applied (its message
    /// has been shown).
    std::unique_ptr<EditorSession> session() {
        auto editor = std::make_unique<EditorSession>(headless);
        if (!editor->useLanguage(language))
            return nullptr;
        return editor;
    }
    int usage(const std::string& command, const std::string& problem) {
        const std::string name = command.empty() ? "kvt3310-cli" : "kvt3310-cli " + command;
        err << name << ": " << problem << "\nTry '" << name << " --help'.\n";
        return kUsage;
    }
    int refused(const std::string& problem) {
        err << "kvt3310-cli: " << problem << "\n";
        return kRefused;
    }
};
