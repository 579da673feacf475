#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IFileSystem;
class ITextCodec;

/// A language file (".lng"): 8-bit text, one text per line, the meaning of a line given by its number alone.
/// Lines 1 to 10 are the splash labels, lines 11 to 82 the texts of catalogue offsets 70 to 780.
class LanguageFile {
public:
    static constexpr std::size_t kSplashLines = 10;
    static constexpr std::size_t kLines = 82;
    /// Line number of the text of a catalogue offset 70 ... 780.
    static constexpr std::size_t lineOfOffset(int offset) { return static_cast<std::size_t>(offset / 10 + 4); }

    /// The text of a line: everything after its first "=" (the whole line without one), with leading and
    /// trailing spaces removed.
    static std::string_view lineText(std::string_view line);
    /// The texts of lines 1 to `count` in UTF-8, or nothing when the file cannot be read or has fewer lines.
    static std::optional<std::vector<std::string>> read(const IFileSystem& fs, const ITextCodec& codec,
                                                        const std::string& path, std::size_t count);
    /// A language file's content: one "label=text" line per text, CR LF ended, in the code page.
    static std::string write(const ITextCodec& codec, const std::vector<std::pair<std::string, std::string>>& lines);
};
