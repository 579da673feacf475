#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

/// The numbers and Booleans of the program's 8-bit text files (the settings file, the configuration file) and
/// of the captions that show numbers: one grammar for all of them. "." is the decimal point whatever the
/// desktop's locale; blanks and tabs around a value do not count.
namespace TextValues {

/// Whether a number may end in a power of ten ("1.5E3"), as the configuration file's numbers may.
enum class Exponent { No, Allowed };

/// The text without the blanks and tabs at its ends.
std::string_view trimmed(std::string_view text);
/// How many characters make the decimal number `text` starts with: an optional sign, digits with at most one
/// "." among them (at least one digit), then where allowed "e" or "E", an optional sign and digits. 0 when
/// `text` does not start with a number.
std::size_t numberLength(std::string_view text, Exponent exponent);
/// The whole text, blanks around it allowed, as a finite number; nothing for any other text.
std::optional<double> number(std::string_view text, Exponent exponent);
/// "True" or "False" in any letter case, or a number (non-zero being true), blanks around allowed; nothing
/// for any other text.
std::optional<bool> boolean(std::string_view text, Exponent exponent);
/// A Boolean as the files write it: "True" or "False".
const char* booleanText(bool value);
/// Rounded to a whole number, a half to the even one, as a conversion to an integer rounds.
double roundHalfEven(double value);

}  // namespace TextValues
