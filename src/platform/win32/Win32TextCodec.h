#pragma once

#include <string>
#include <string_view>

#include "platform/ITextCodec.h"

class IFileSystem;

/// The 8-bit text of the program's files in a Windows code page, converted by the system: the ANSI code page
/// unless the settings file names another. A character the code page lacks is written as "?", never as a
/// look-alike.
class Win32TextCodec : public ITextCodec {
public:
    /// The key of section "File paths" of the settings file that names the code page.
    static constexpr const char* kSettingsKey = "CodePage";

    Win32TextCodec();

    /// False (and the code page kept) when the system does not know the code page.
    bool setCodePage(int codePage);
    int codePage() const { return m_codePage; }
    /// Takes the code page named in the settings file of the program folder, if it names a known one.
    void useSettingsOf(IFileSystem& fs);

    std::string toUtf8(std::string_view bytes) const override;
    std::string fromUtf8(std::string_view text) const override;

private:
    unsigned m_codePage;
};
