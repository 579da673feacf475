#include "settings/LanguageFile.h"

#include "platform/IFileSystem.h"
#include "platform/ITextCodec.h"
#include "settings/TextLines.h"

std::string_view LanguageFile::lineText(std::string_view line) {
    std::size_t equals = line.find('=');
    std::string_view text = equals == std::string_view::npos ? line : line.substr(equals + 1);
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<std::vector<std::string>> LanguageFile::read(const IFileSystem& fs, const ITextCodec& codec,
                                                           const std::string& path, std::size_t count) {
    if (path.empty())
        return std::nullopt;
    auto content = fs.readFile(path);
    if (!content)
        return std::nullopt;
    auto lines = TextLines::split(*content);
    if (lines.size() < count)
        return std::nullopt;
    std::vector<std::string> texts;
    texts.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        texts.push_back(codec.toUtf8(lineText(lines[i])));
    return texts;
}

std::string LanguageFile::write(const ITextCodec& codec,
                                const std::vector<std::pair<std::string, std::string>>& lines) {
    std::string content;
    for (const auto& [label, text] : lines)
        content += codec.fromUtf8(label + "=" + text) + "\r\n";
    return content;
}
