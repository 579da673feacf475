#pragma once

#include <optional>
#include <string>

class ConfigFile;
class Form1;

/// "Save as with its files…": the set saved into one folder together with a copy of every named slot's wave
/// file, so that the folder can be carried anywhere and opens and uploads there. Nothing is ever replaced and
/// the original files are only read: a name that another file holds in the folder gets a number
/// ("gong (2).wav"), and a file already there with the same bytes is used as it is.
class SetPacker {
public:
    SetPacker(Form1& form, ConfigFile& config) : m_form(form), m_config(config) {}

    /// Packs the set into `folder` (made when missing; its parent must exist), its configuration file named
    /// `configName` or, where that name is taken, numbered. On success the editor holds the copies' paths, the
    /// status line says where the set went, and the configuration file written is returned. On failure a message
    /// names the file and the cause, and the editor's paths are as they were; copies already made stay.
    std::optional<std::string> pack(const std::string& folder, const std::string& configName);

    /// The `n`th name for a file named `name`: the name itself for 1, else the number in brackets before the
    /// extension ("gong (2).wav").
    static std::string numbered(const std::string& name, int n);

private:
    /// Beeps and shows why the set could not be packed: `file` and `reason`; nothing.
    std::nullopt_t fail(const std::string& file, const std::string& reason);

    Form1& m_form;
    ConfigFile& m_config;
};
