#include "settings/LanguageFile.h"

#include "platform/IFileSystem.h"
#include "platform/ITextCodec.h"
#include "settings/TextLineReader.h"

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
    auto source = fs.openRead(path);
    if (!source)
        return std::nullopt;
    return read(*source, codec, count);
}

std::optional<std::vector<std::string>> LanguageFile::read(IByteSource& source, const ITextCodec& codec,
                                                           std::size_t count) {
    TextLineReader reader(source, kMaxLineLength);
    std::vector<std::string> texts;
    texts.reserve(count);
    while (texts.size() < count) {
        auto line = reader.next();
        if (!line)
            return std::nullopt;
        texts.push_back(codec.toUtf8(lineText(*line)));
    }
    return texts;
}

std::string LanguageFile::write(const ITextCodec& codec,
                                const std::vector<std::pair<std::string, std::string>>& lines) {
    std::string content;
    for (const auto& [label, text] : lines) {
        auto bytes = codec.fromUtf8Exact(label + "=" + text);
        if (!bytes)
            return {};
        content += *bytes + "\r\n";
    }
    return content;
}
