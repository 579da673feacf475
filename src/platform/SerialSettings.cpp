#include "platform/SerialSettings.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <vector>

namespace {

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<SerialSettings> SerialSettings::parse(const std::string& settings) {
    std::vector<std::string> fields;
    std::stringstream in(settings);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    if (fields.size() != 4 || fields[1].size() != 1)
        return std::nullopt;
    SerialSettings s;
    const auto baud = wholeNumber(fields[0]);
    const auto data = wholeNumber(fields[2]);
    if (!baud || *baud <= 0 || !data || *data < 5 || *data > 8)
        return std::nullopt;
    s.baud = *baud;
    s.dataBits = *data;
    s.parity = static_cast<char>(std::toupper(static_cast<unsigned char>(fields[1][0])));
    if (std::string("NEOMS").find(s.parity) == std::string::npos)
        return std::nullopt;
    if (fields[3] == "1")
        s.stopBits = StopBits::One;
    else if (fields[3] == "1.5")
        s.stopBits = StopBits::OneAndHalf;
    else if (fields[3] == "2")
        s.stopBits = StopBits::Two;
    else
        return std::nullopt;
    return s;
}
