#include "settings/CodePageCodec.h"

#include <algorithm>
#include <charconv>

#include "platform/IFileSystem.h"
#include "settings/CodePages.h"
#include "settings/IniProcedures.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

/// The code point that starts `text` at `i`, advancing `i` past it; U+FFFD for a malformed sequence, which
/// then stands for one byte.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (next & 0x3F);
    }
    // An overlong form or a surrogate is no character of any code page.
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        ++i;
        return kReplacement;
    }
    i += length;
    return c;
}

}  // namespace

bool CodePageCodec::setCodePage(int codePage) {
    if (!CodePages::table(codePage))
        return false;
    m_fixed = codePage;
    return true;
}

int CodePageCodec::codePage() const {
    if (m_fixed)
        return *m_fixed;
    return CodePages::ofLanguage(m_lngBase ? *m_lngBase : 0);
}

std::optional<int> CodePageCodec::fixForLanguage(std::int16_t lngBase) {
    if (m_fixed)
        return std::nullopt;
    m_fixed = CodePages::ofLanguage(lngBase);
    return m_fixed;
}

void CodePageCodec::choose(IFileSystem& fs, std::optional<int> systemCodePage) {
    // The key and its value are ASCII, the same in every code page.
    IniProcedures ini(fs, *this);
    auto value = ini.ReadIni("File paths", kSettingsKey, fs.programFolder() + fs.separator() + "KVT3310.INI");
    if (value) {
        int named = 0;
        auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), named);
        if (error == std::errc() && end == value->data() + value->size() && setCodePage(named))
            return;
    }
    if (systemCodePage)
        setCodePage(*systemCodePage);
}

std::string CodePageCodec::toUtf8(std::string_view bytes) const {
    const CodePages::Table& table = *CodePages::table(codePage());
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b < 0x80) {
            out += byte;
        } else {
            const char16_t c = table[b - 0x80];
            appendUtf8(out, c == 0 ? kReplacement : c);
        }
    }
    return out;
}

std::optional<std::string> CodePageCodec::encode(std::string_view text, char replacement) const {
    const CodePages::Table& table = *CodePages::table(codePage());
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = nextCodePoint(text, i);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const std::size_t found = static_cast<std::size_t>(std::find(table.begin(), table.end(), c) - table.begin());
        if (found < table.size()) {
            out += static_cast<char>(0x80 + found);
        } else if (replacement != 0) {
            out += replacement;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::string CodePageCodec::fromUtf8(std::string_view text) const {
    return *encode(text, '?');
}

std::optional<std::string> CodePageCodec::fromUtf8Exact(std::string_view text) const {
    return encode(text, 0);
}
