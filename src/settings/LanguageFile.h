#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IByteSource;
class IFileSystem;
class ITextCodec;

/// A language file (".lng"): 8-bit text, one text per line, the meaning of a line given by its number alone.
/// Lines 1 to 10 are the splash labels, lines 11 to 82 the texts of catalogue offsets 70 to 780.
class LanguageFile {
public:
    static constexpr std::size_t kSplashLines = 10;
    static constexpr std::size_t kLines = 82;
    /// No caption comes near this; a longer line means the file is no language file, and reading stops.
    static constexpr std::size_t kMaxLineLength = 32 * 1024;
    /// Line number of the text of a catalogue offset 70 ... 780.
    static constexpr std::size_t lineOfOffset(int offset) { return static_cast<std::size_t>(offset / 10 + 4); }

    /// The text of a line: everything after its first "=" (the whole line without one), with leading and
    /// trailing spaces removed.
    static std::string_view lineText(std::string_view line);
    /// The texts of lines 1 to `count` in UTF-8, or nothing when the file cannot be read, has fewer lines or
    /// a line too long. Lines after `count` are never read.
    static std::optional<std::vector<std::string>> read(const IFileSystem& fs, const ITextCodec& codec,
                                                        const std::string& path, std::size_t count);
    static std::optional<std::vector<std::string>> read(IByteSource& source, const ITextCodec& codec,
                                                        std::size_t count);
    /// A language file's content: one "label=text" line per text, CR LF ended, in the code page; empty when
    /// the code page cannot hold a text.
    static std::string write(const ITextCodec& codec, const std::vector<std::pair<std::string, std::string>>& lines);
};
