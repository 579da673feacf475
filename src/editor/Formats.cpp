#include "editor/Formats.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/TextValues.h"

namespace Formats {
namespace {

// Rounds the decimal text, not the binary value, so that an exact half such as 1.005 shows as 1.01 (away
// from zero).
std::string fixed(double value, int decimals) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.9f", std::fabs(value));
    std::string digits(buffer);
    std::size_t point = digits.find('.');
    std::string kept = digits.substr(0, point) + digits.substr(point + 1, decimals);
    if (digits[point + 1 + decimals] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i];
    }
    bool zero = kept.find_first_not_of('0') == std::string::npos;
    std::string result = (value < 0 && !zero) ? "-" : "";
    result.append(kept, 0, kept.size() - decimals);
    if (decimals > 0) {
        result += '.';
        result.append(kept, kept.size() - decimals);
    }
    return result;
}

}  // namespace

std::string seconds(double value) {
    return fixed(value, 2);
}

std::string kilohertz(double value) {
    return fixed(value, 3);
}

std::string integer(std::int64_t value) {
    return std::to_string(value);
}

double leadingNumber(std::string_view text) {
    text = TextValues::trimmed(text);
    const std::size_t length = TextValues::numberLength(text, TextValues::Exponent::No);
    if (length == 0)
        return 0.0;
    return std::strtod(std::string(text.substr(0, length)).c_str(), nullptr);
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace Formats
