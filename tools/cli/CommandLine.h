#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

/// The words of one command after its name: positional arguments and options. An option is "--name VALUE",
/// "--name=VALUE" or a flag "--name"; "-o" stands for "--output". "--" ends the options.
class CommandLine {
public:
    struct Spec {
        std::set<std::string> valued;  ///< options that take a value (without the leading "--")
        std::set<std::string> flags;   ///< options without a value
    };

    /// Parses `words` against `spec`; on a word that does not fit, `error()` says why.
    CommandLine(const std::vector<std::string>& words, const Spec& spec);

    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

    const std::vector<std::string>& positional() const { return m_positional; }
    bool has(const std::string& name) const { return m_values.count(name) > 0; }
    /// The last value given for `name`.
    std::optional<std::string> value(const std::string& name) const;
    /// Every value given for `name`, in order.
    std::vector<std::string> values(const std::string& name) const;

    /// A decimal number from `min` to `max`, or nothing.
    static std::optional<long> number(const std::string& text, long min, long max);

private:
    std::vector<std::string> m_positional;
    std::multimap<std::string, std::string> m_values;
    std::string m_error;
};
