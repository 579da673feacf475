#include "settings/PrivateProfile.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "settings/TextLines.h"

namespace {

std::string_view trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> splitLines(const std::string& text) {
    auto lines = TextLines::split(text);
    return {lines.begin(), lines.end()};
}

/// The section name of a "[name]" line.
std::optional<std::string_view> sectionOf(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

std::optional<std::string_view> keyOf(std::string_view line) {
    auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(0, eq));
}

}  // namespace

std::optional<std::string> PrivateProfile::get(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (const auto& line : splitLines(m_text)) {
        if (auto name = sectionOf(line)) {
            if (inSection)
                return std::nullopt;
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        auto k = keyOf(line);
        if (!k || !sameName(*k, key))
            continue;
        std::string_view value = trim(std::string_view(line).substr(line.find('=') + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

std::string PrivateProfile::written(std::string_view value) {
    // Blanks at either end, or a pair of quotes round the value, would be taken off by the reader; one more
    // pair of quotes keeps the value as it was.
    const bool trimmedAway = !value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                                                value.back() == '\t');
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (trimmedAway || quoted)
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

void PrivateProfile::set(std::string_view section, std::string_view key, std::string_view plain) {
    auto lines = splitLines(m_text);
    const std::string value = written(plain);
    std::string entry = std::string(key) + "=" + value;
    int sectionLine = -1;
    int lastEntry = -1;
    bool done = false;
    for (int i = 0; i < static_cast<int>(lines.size()) && !done; ++i) {
        if (auto name = sectionOf(lines[i])) {
            if (sectionLine >= 0)
                break;
            if (sameName(*name, section))
                sectionLine = lastEntry = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (!trim(lines[i]).empty())
            lastEntry = i;
        auto k = keyOf(lines[i]);
        if (k && sameName(*k, key)) {
            lines[i] = std::string(*k) + "=" + value;
            done = true;
        }
    }
    if (!done) {
        if (sectionLine < 0) {
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(entry);
        } else {
            lines.insert(lines.begin() + lastEntry + 1, entry);
        }
    }
    m_text.clear();
    for (const auto& line : lines)
        m_text += line + "\r\n";
}
