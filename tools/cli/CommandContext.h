#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "EditorSession.h"
#include "HeadlessPlatform.h"

class CommandLine;
class SerialLink;

/// Exit status of the program: success, a refusal by the unit or of a file, or wrong usage.
enum ExitStatus : int { kSuccess = 0, kRefused = 1, kUsage = 2 };

/// The unit's serial device and the time it may take for each byte of a reply, as the command line names them.
struct LinkOptions {
    std::string port;
    std::int16_t timeout;
    /// The protocol trace's file; empty for none.
    std::string trace;
};

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
    /// A fresh editor in the chosen language with the configuration file open; nothing when either failed
    /// (its message has been shown).
    std::unique_ptr<EditorSession> sessionWith(const std::string& configFile);
    /// The "--port", "--timeout" and "--trace" options of `command`; nothing when they are wrong (the usage message has
    /// been shown).
    std::optional<LinkOptions> linkOptions(const std::string& command, const CommandLine& line);
    /// Points the editor's link at the port, as COM1, with the time-out, and starts the trace if asked for.
    void useLink(SerialLink& serial, const LinkOptions& link);
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
