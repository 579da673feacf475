#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The editor's number formats. "." is the decimal point, written and read, whatever the desktop's locale.
namespace Formats {

/// Seconds as "####0.00": at least one integer digit, exactly two decimals, no grouping.
std::string seconds(double value);
/// kHz as "#0.000".
std::string kilohertz(double value);
/// A plain decimal integer.
std::string integer(std::int64_t value);
/// The number a caption starts with (leading blanks skipped, optional sign, digits, "." and decimals);
/// 0 when it does not start with a number.
double leadingNumber(std::string_view text);
/// The text without leading and trailing blanks (spaces only: a caption's or a path's own tabs stay).
std::string trimmed(const std::string& text);

}  // namespace Formats
