#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The private-profile (INI) text format, as the platform's profile calls treat it: sections opened by
/// "[name]", entries "key=value"; section and key names matched without regard to case; the first match
/// counts. Works on the text of a whole file in memory.
class PrivateProfile {
public:
    explicit PrivateProfile(std::string text = {}) : m_text(std::move(text)) {}

    /// The value of the key (blanks around it removed, and a pair of enclosing quotes), or nothing when the
    /// section or key is missing.
    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    /// Sets the key, keeping every other line and the order of entries. A missing key is added at the end of
    /// its section, a missing section at the end of the text. A value that `get` would change (blanks at its
    /// ends, enclosing quotes) is written in quotes, so that it reads back as it was set.
    void set(std::string_view section, std::string_view key, std::string_view value);

    /// The text, lines ended by CR LF.
    const std::string& text() const { return m_text; }

private:
    static std::string written(std::string_view value);

    std::string m_text;
};
