#pragma once

#include <string>
#include <vector>

#include "unitlink/ReadBackOutcome.h"

struct AppState;
class UnitReadBack;
struct Platform;

/// A unit read back into a folder: each recovered message as "messageNN.wav" (NN its slot), written whole
/// through a temporary file, and a configuration file naming them, written by an editor of its own through
/// the editor's save so that it is the file Save writes for that set. The configuration file is written only
/// when the whole unit came back; the messages recovered before a read failed are written all the same. A
/// unit that could not be read at all leaves the folder as it was.
class UnitBackup {
public:
    static constexpr const char* kConfigName = "MessageSetup.cfg";

    UnitBackup(Platform& platform, AppState& app, UnitReadBack& readBack)
        : m_platform(platform), m_app(app), m_readBack(readBack) {}

    /// "message01.wav" to "message12.wav".
    static std::string waveName(int slot);
    /// The names of the files a backup into `folder` could write that are there already.
    std::vector<std::string> existingFiles(const std::string& folder) const;

    struct Result {
        ReadBackOutcome outcome;
        UnitContents contents;
        /// Paths written, the configuration file last; empty when nothing was.
        std::vector<std::string> written;
        /// The configuration file written, or empty.
        std::string config;
        /// A file that could not be written, and the system's reason; the writing stopped there.
        std::string failedFile;
        std::string reason;
        bool complete() const { return outcome.succeeded() && failedFile.empty() && !config.empty(); }
    };
    /// Reads the unit and writes what came back into `folder` (ending in the separator or not).
    Result run(const std::string& folder);
    /// Writes the files of `contents` into `folder`; the configuration file only when `withConfig`.
    void write(const std::string& folder, const UnitContents& contents, bool withConfig, Result& result);

private:
    bool writeConfig(const std::string& folder, const UnitContents& contents, Result& result);
    std::string inFolder(const std::string& folder, const std::string& name) const;

    Platform& m_platform;
    AppState& m_app;
    UnitReadBack& m_readBack;
};
