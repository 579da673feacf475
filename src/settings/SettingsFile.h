#pragma once

#include <cstdint>
#include <optional>
#include <string>

class Form1;

/// The editor's whole-file operations on the settings file "KVT3310.INI": `SaveIni` writes the serial
/// settings, the folders and the configuration file name; `OpenIni` reads them back with the language file
/// name. Both report a failure themselves (beep and message) and return false; so does a settings file
/// that cannot be written.
class SettingsFile {
public:
    explicit SettingsFile(Form1& form) : m_form(form) {}

    bool SaveIni(const std::string& file);
    bool OpenIni(const std::string& file);

    /// The conversions of values read: nothing when the text does not convert. A missing value (nullopt in)
    /// converts to 0 or false.
    static std::optional<std::int16_t> toInt16(const std::optional<std::string>& value);
    static std::optional<bool> toBool(const std::optional<std::string>& value);

private:
    /// Beeps and shows the message; `detail` (the value the file could not hold, or the file's path) follows
    /// the catalogue text.
    void fail(const std::string& detail = {});
    Form1& m_form;
};
