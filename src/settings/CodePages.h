#pragma once

#include <array>
#include <cstdint>

/// The Windows code pages of the program's files: 1252 (Western), 1250 (Central European, for Czech) and
/// 1253 (Greek). Bytes 0x00 to 0x7F are ASCII in all three; each table gives the character of bytes 0x80 to
/// 0xFF, 0 where the code page defines none.
namespace CodePages {

using Table = std::array<char16_t, 128>;

/// The table of a code page, or nullptr for one the program does not know.
const Table* table(int codePage);
/// The code page a built-in language's texts need: Czech 1250, Greek 1253, the others 1252.
int ofLanguage(std::int16_t lngBase);

}  // namespace CodePages
