#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/PrivateProfile.h"

class IFileSystem;
class ITextCodec;

/// The settings file, with the semantics of the platform's private-profile calls: names matched without
/// regard to case, values read back cut to 254 characters, the file, section and key created as needed,
/// other entries and their order kept. Each write replaces the file as a whole, so a crash never leaves half
/// a file. `ReadIni`/`WriteIni` handle one key; `load`, `value`, `set` and `store` let a whole-file operation
/// read or write many keys with one file access.
class IniProcedures {
public:
    static constexpr std::size_t kMaxValue = 254;
    /// Far beyond any settings file of the program (a few hundred bytes); a file beyond these is refused as
    /// unreadable, as it must be held whole to be rewritten.
    static constexpr std::size_t kMaxLines = 4096;
    static constexpr std::size_t kMaxLineLength = 32 * 1024;
    static constexpr std::uint64_t kMaxFileSize = 256 * 1024;

    IniProcedures(IFileSystem& fs, const ITextCodec& codec) : m_fs(fs), m_codec(codec) {}

    /// The value, or nothing for a missing file, section or key, or an empty value.
    std::optional<std::string> ReadIni(const std::string& section, const std::string& key,
                                       const std::string& file) const;
    /// Non-zero on success. Numbers are written in decimal, Booleans as "True" or "False".
    std::int32_t WriteIni(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& file);
    std::int32_t WriteIni(const std::string& section, const std::string& key, const char* value,
                          const std::string& file);
    std::int32_t WriteIni(const std::string& section, const std::string& key, bool value, const std::string& file);
    std::int32_t WriteIni(const std::string& section, const std::string& key, int value, const std::string& file);

    /// The file's entries (none for a missing file); nothing when the file exists but cannot be read or is
    /// beyond the limits above.
    std::optional<PrivateProfile> load(const std::string& file) const;
    std::optional<std::string> value(const PrivateProfile& profile, const std::string& section,
                                     const std::string& key) const;
    /// False (and nothing set) when the code page cannot hold the value or a line can hold no more.
    bool set(PrivateProfile& profile, const std::string& section, const std::string& key,
             const std::string& value) const;
    bool store(const std::string& file, const PrivateProfile& profile);

private:
    IFileSystem& m_fs;
    const ITextCodec& m_codec;
};
