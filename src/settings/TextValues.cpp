#include "settings/TextValues.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace TextValues {
namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t digitsFrom(std::string_view text, std::size_t i) {
    std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i - start;
}

}  // namespace

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t numberLength(std::string_view text, Exponent exponent) {
    std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    std::size_t digits = digitsFrom(text, i);
    i += digits;
    if (i < text.size() && text[i] == '.') {
        const std::size_t decimals = digitsFrom(text, i + 1);
        i += 1 + decimals;
        digits += decimals;
    }
    if (digits == 0)
        return 0;
    if (exponent == Exponent::Allowed && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        // A power without digits is no part of the number.
        if (const std::size_t powerDigits = digitsFrom(text, j); powerDigits > 0)
            i = j + powerDigits;
    }
    return i;
}

std::optional<double> number(std::string_view text, Exponent exponent) {
    text = trimmed(text);
    if (text.empty() || numberLength(text, exponent) != text.size())
        return std::nullopt;
    const double value = std::strtod(std::string(text).c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<bool> boolean(std::string_view text, Exponent exponent) {
    std::string lower;
    for (char c : trimmed(text))
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    auto value = number(text, exponent);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

const char* booleanText(bool value) {
    return value ? "True" : "False";
}

double roundHalfEven(double value) {
    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0);
    return rounded;
}

}  // namespace TextValues
