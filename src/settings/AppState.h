#pragma once

#include <cstdint>
#include <string>

/// The program-wide state that lives for the whole run: the folder settings (each ending in the platform's
/// separator once start-up has run), the unsaved-changes flag and the language state.
struct AppState {
    std::string strAPPFilePath;
    std::string strLNGFilePath;
    std::string stroLNGFilePath;
    std::string strMSGFilePath;
    std::string strWAVFilePath;
    std::string strTMPFilePath;
    std::string strRunningCaption;
    /// The main window's caption without a file name, set each time a language is applied.
    std::string strBaseCaption;
    bool blnChanged = false;
    /// The active language file is an own file in `stroLNGFilePath`.
    bool stroLNGFilePathType = false;
    /// The active language comes from a language file rather than from the catalogue.
    bool LngExternal = false;
    /// Language base of the active built-in language.
    std::int16_t LngBase = 0;
};
