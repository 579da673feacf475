#pragma once

#include <string>

#include "platform/Platform.h"

struct AppState;
class MDIKVT3310;

/// The instance marker file "~KVT3310Temp" in `strTMPFilePath`: one line holding the running main window's
/// caption, by which a second copy of the program finds the first.
class InstanceMarker {
public:
    static constexpr const char* kFileName = "~KVT3310Temp";

    InstanceMarker(Platform& platform, AppState& app, MDIKVT3310& mdi) : m_platform(platform), m_app(app), m_mdi(mdi) {}

    std::string path() const;
    /// Reads the first line into `strRunningCaption`; false (and the caption unchanged) on any failure.
    bool ReadTempFile();
    /// Rewrites the file with the main window's caption; false on failure, which is otherwise ignored.
    bool WriteTempFile();
    bool exists() const;
    void remove();

private:
    Platform& m_platform;
    AppState& m_app;
    MDIKVT3310& m_mdi;
};
