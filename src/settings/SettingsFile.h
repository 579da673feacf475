#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/Settings.h"

class IFileSystem;
class ITextCodec;

/// The whole-file operations on the settings file "KVT3310.INI": `SaveIni` writes the serial settings, the
/// folders, the configuration file name and the trace; `OpenIni` reads them back with the language file
/// name. Neither shows anything: the result says what failed, for the caller to report.
class SettingsFile {
public:
    /// How far a read got: the values before the one that failed have been taken, those after it not.
    enum class OpenResult { Read, Unreadable, BadTimeOut, BadPort, BadLanguageType };
    enum class SaveResult { Saved, Unreadable, Unwritable, NotStored };

    /// `portsAreDeviceFiles`: the system opens ports as device files, whose paths the file keeps.
    SettingsFile(IFileSystem& fs, const ITextCodec& codec, bool portsAreDeviceFiles)
        : m_fs(fs), m_codec(codec), m_portsAreDeviceFiles(portsAreDeviceFiles) {}

    /// A key missing from the file (or empty) leaves its member as it was.
    OpenResult OpenIni(const std::string& file, Settings& settings) const;
    /// `Unwritable`: a value the code page cannot hold, given by `unwritable()`; the file stays as it was.
    SaveResult SaveIni(const std::string& file, const Settings& settings);
    const std::string& unwritable() const { return m_unwritable; }

    /// The conversions of values read: nothing when the text does not convert. A missing value (nullopt in)
    /// converts to 0 or false.
    static std::optional<std::int16_t> toInt16(const std::optional<std::string>& value);
    static std::optional<bool> toBool(const std::optional<std::string>& value);

private:
    IFileSystem& m_fs;
    const ITextCodec& m_codec;
    bool m_portsAreDeviceFiles;
    std::string m_unwritable;
};
