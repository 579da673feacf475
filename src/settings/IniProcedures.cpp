#include "settings/IniProcedures.h"

#include "platform/IFileSystem.h"
#include "platform/ITextCodec.h"
#include "settings/TextLineReader.h"
#include "settings/TextValues.h"

std::optional<PrivateProfile> IniProcedures::load(const std::string& file) const {
    auto source = m_fs.openRead(file);
    if (!source) {
        if (m_fs.exists(file))
            return std::nullopt;
        return PrivateProfile();
    }
    if (source->size() > kMaxFileSize)
        return std::nullopt;
    TextLineReader reader(*source, kMaxLineLength);
    std::string text;
    std::size_t lines = 0;
    while (auto line = reader.next()) {
        if (++lines > kMaxLines || text.size() + line->size() > kMaxFileSize)
            return std::nullopt;
        text += *line;
        text += "\r\n";
    }
    // Rewritten from what was read, a file read only in part would lose the rest.
    if (reader.tooLong() || !reader.complete())
        return std::nullopt;
    return PrivateProfile(std::move(text));
}

std::optional<std::string> IniProcedures::value(const PrivateProfile& profile, const std::string& section,
                                                const std::string& key) const {
    auto found = profile.get(m_codec.fromUtf8(section), m_codec.fromUtf8(key));
    if (!found || found->empty())
        return std::nullopt;
    // The cut applies to the 8-bit text, as the platform's buffer holds it.
    if (found->size() > kMaxValue)
        found->resize(kMaxValue);
    return m_codec.toUtf8(*found);
}

bool IniProcedures::set(PrivateProfile& profile, const std::string& section, const std::string& key,
                        const std::string& value) const {
    auto bytes = m_codec.fromUtf8Exact(value);
    // A line break would end the value early, and a line the reader refuses would lose the whole file.
    if (!bytes || bytes->find_first_of("\r\n") != std::string::npos || key.size() + bytes->size() >= kMaxLineLength)
        return false;
    profile.set(m_codec.fromUtf8(section), m_codec.fromUtf8(key), *bytes);
    return true;
}

bool IniProcedures::store(const std::string& file, const PrivateProfile& profile) {
    return m_fs.writeFileAtomic(file, profile.text());
}

std::optional<std::string> IniProcedures::ReadIni(const std::string& section, const std::string& key,
                                                  const std::string& file) const {
    auto profile = load(file);
    if (!profile)
        return std::nullopt;
    return value(*profile, section, key);
}

std::int32_t IniProcedures::WriteIni(const std::string& section, const std::string& key, const std::string& value,
                                     const std::string& file) {
    auto profile = load(file);
    if (!profile)
        return 0;  // never replace a file that could not be read
    if (!set(*profile, section, key, value))
        return 0;
    return store(file, *profile) ? 1 : 0;
}

std::int32_t IniProcedures::WriteIni(const std::string& section, const std::string& key, const char* value,
                                     const std::string& file) {
    return WriteIni(section, key, std::string(value), file);
}

std::int32_t IniProcedures::WriteIni(const std::string& section, const std::string& key, bool value,
                                     const std::string& file) {
    return WriteIni(section, key, std::string(TextValues::booleanText(value)), file);
}

std::int32_t IniProcedures::WriteIni(const std::string& section, const std::string& key, int value,
                                     const std::string& file) {
    return WriteIni(section, key, std::to_string(value), file);
}
