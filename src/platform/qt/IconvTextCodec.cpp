#include "platform/qt/IconvTextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <charconv>

#include "platform/IFileSystem.h"
#include "settings/IniProcedures.h"

namespace {

std::string iconvName(int codePage) {
    return "CP" + std::to_string(codePage);
}

/// One conversion direction, closed with the object.
class Converter {
public:
    Converter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    /// Converts all of `in`; at a sequence that cannot be converted, `onError` appends its replacement and
    /// says how many input bytes it stands for.
    template <typename OnError>
    std::string convert(std::string_view in, OnError onError) const {
        std::string out;
        char buffer[1024];
        char* input = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        while (inLeft > 0) {
            char* output = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(m_cd, &input, &inLeft, &output, &outLeft);
            out.append(buffer, static_cast<std::size_t>(output - buffer));
            if (result != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // An invalid or unmappable sequence, or one cut short at the end.
            std::size_t skip = std::min(onError(out, std::string_view(input, inLeft)), inLeft);
            input += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        char* output = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &output, &outLeft);
        out.append(buffer, static_cast<std::size_t>(output - buffer));
        return out;
    }

private:
    iconv_t m_cd;
};

/// The length of the UTF-8 sequence that starts `text`: its lead byte's count when the continuation bytes
/// follow, else 1.
std::size_t utf8Length(std::string_view text) {
    auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
    if (length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

}  // namespace

IconvTextCodec::IconvTextCodec(int codePage) {
    setCodePage(codePage);
}

bool IconvTextCodec::setCodePage(int codePage) {
    Converter in("UTF-8", iconvName(codePage));
    Converter out(iconvName(codePage), "UTF-8");
    if (!in.ok() || !out.ok())
        return false;
    m_codePage = codePage;
    return true;
}

void IconvTextCodec::useSettingsOf(IFileSystem& fs) {
    // The key and its value are digits, the same in every code page.
    IniProcedures ini(fs, *this);
    auto value = ini.ReadIni("File paths", kSettingsKey, fs.programFolder() + fs.separator() + "KVT3310.INI");
    if (!value)
        return;
    int codePage = 0;
    auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), codePage);
    if (error == std::errc() && end == value->data() + value->size())
        setCodePage(codePage);
}

std::string IconvTextCodec::toUtf8(std::string_view bytes) const {
    Converter converter("UTF-8", iconvName(m_codePage));
    return converter.convert(bytes, [](std::string& out, std::string_view) {
        out += "\xEF\xBF\xBD";
        return std::size_t{1};
    });
}

std::string IconvTextCodec::fromUtf8(std::string_view text) const {
    Converter converter(iconvName(m_codePage), "UTF-8");
    return converter.convert(text, [](std::string& out, std::string_view rest) {
        out += '?';
        return utf8Length(rest);
    });
}
