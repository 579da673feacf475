#include "settings/IniProcedures.h"

#include "platform/IFileSystem.h"
#include "platform/ITextCodec.h"

std::optional<PrivateProfile> IniProcedures::load(const std::string& file) const {
    auto bytes = m_fs.readFile(file);
    if (bytes)
        return PrivateProfile(std::move(*bytes));
    if (m_fs.exists(file))
        return std::nullopt;
    return PrivateProfile();
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

void IniProcedures::set(PrivateProfile& profile, const std::string& section, const std::string& key,
                        const std::string& value) const {
    profile.set(m_codec.fromUtf8(section), m_codec.fromUtf8(key), m_codec.fromUtf8(value));
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
    set(*profile, section, key, value);
    return store(file, *profile) ? 1 : 0;
}

std::int32_t IniProcedures::WriteIni(const std::string& section, const std::string& key, const char* value,
                                     const std::string& file) {
    return WriteIni(section, key, std::string(value), file);
}

std::int32_t IniProcedures::WriteIni(const std::string& section, const std::string& key, bool value,
                                     const std::string& file) {
    return WriteIni(section, key, std::string(value ? "True" : "False"), file);
}

std::int32_t IniProcedures::WriteIni(const std::string& section, const std::string& key, int value,
                                     const std::string& file) {
    return WriteIni(section, key, std::to_string(value), file);
}
