#pragma once

#include <string>
#include <string_view>

#include "platform/ITextCodec.h"

class IFileSystem;

/// The 8-bit text of the program's files in a Windows code page, converted with the system's iconv.
/// Windows-1252 unless told otherwise; a Greek or Czech installation names 1253 or 1250 in its settings.
/// Nothing is ever dropped: a character the code page lacks is written as "?", a byte it does not define
/// reads as U+FFFD.
class IconvTextCodec : public ITextCodec {
public:
    static constexpr int kDefaultCodePage = 1252;
    /// The key of section "File paths" of the settings file that names the code page.
    static constexpr const char* kSettingsKey = "CodePage";

    explicit IconvTextCodec(int codePage = kDefaultCodePage);

    /// False (and the code page kept) when iconv does not know the code page.
    bool setCodePage(int codePage);
    int codePage() const { return m_codePage; }
    /// Takes the code page named in the settings file of the program folder, if it names a known one.
    void useSettingsOf(IFileSystem& fs);

    std::string toUtf8(std::string_view bytes) const override;
    std::string fromUtf8(std::string_view text) const override;

private:
    int m_codePage = kDefaultCodePage;
};
