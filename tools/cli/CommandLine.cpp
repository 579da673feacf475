#include "CommandLine.h"

#include <cerrno>
#include <cstdlib>

CommandLine::CommandLine(const std::vector<std::string>& words, const Spec& spec) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            m_positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name;
        std::optional<std::string> inlineValue;
        if (word == "-o") {
            name = "output";
        } else if (word.rfind("--", 0) == 0) {
            name = word.substr(2);
            auto equals = name.find('=');
            if (equals != std::string::npos) {
                inlineValue = name.substr(equals + 1);
                name.resize(equals);
            }
        } else {
            m_error = "unknown option '" + word + "'";
            return;
        }
        if (spec.flags.count(name)) {
            if (inlineValue) {
                m_error = "option '--" + name + "' takes no value";
                return;
            }
            m_values.emplace(name, "");
        } else if (spec.valued.count(name)) {
            if (!inlineValue) {
                if (i + 1 >= words.size()) {
                    m_error = "option '" + word + "' needs a value";
                    return;
                }
                inlineValue = words[++i];
            }
            m_values.emplace(name, *inlineValue);
        } else {
            m_error = "unknown option '" + word + "'";
            return;
        }
    }
}

std::optional<std::string> CommandLine::value(const std::string& name) const {
    auto range = m_values.equal_range(name);
    if (range.first == range.second)
        return std::nullopt;
    return std::prev(range.second)->second;
}

std::vector<std::string> CommandLine::values(const std::string& name) const {
    std::vector<std::string> result;
    auto range = m_values.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        result.push_back(it->second);
    return result;
}

std::optional<long> CommandLine::number(const std::string& text, long min, long max) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 12)
        return std::nullopt;
    errno = 0;
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno != 0 || value < min || value > max)
        return std::nullopt;
    return value;
}
