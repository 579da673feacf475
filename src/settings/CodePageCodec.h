#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ITextCodec.h"

class IFileSystem;

/// The 8-bit text of the program's files in one of the code pages of `CodePages`, through the program's own
/// tables, so that every installation converts alike. The code page is either fixed (by the settings file or
/// the system) or that of the active language. A byte the code page does not define reads as U+FFFD; a
/// character it cannot hold is never written as another one.
class CodePageCodec : public ITextCodec {
public:
    /// The key of section "File paths" of the settings file that names the code page.
    static constexpr const char* kSettingsKey = "CodePage";

    /// Follows the language until a code page is fixed (1252 while no language is followed).
    CodePageCodec() = default;
    explicit CodePageCodec(int codePage) { setCodePage(codePage); }

    /// Fixes the code page; false (and nothing changed) for one the program does not know.
    bool setCodePage(int codePage);
    int codePage() const override;
    std::optional<int> fixForLanguage(std::int16_t lngBase) override;
    /// Fixes the code page once at start: the one the settings file of the program folder names, else the
    /// system's (`systemCodePage`, given where the system has one), when the program knows it; otherwise the
    /// code page keeps following the language.
    void choose(IFileSystem& fs, std::optional<int> systemCodePage);

    std::string toUtf8(std::string_view bytes) const override;
    std::string fromUtf8(std::string_view text) const override;
    std::optional<std::string> fromUtf8Exact(std::string_view text) const override;
    void followLanguage(const std::int16_t* lngBase) override { m_lngBase = lngBase; }

private:
    /// The bytes of `text`; characters the code page cannot hold become `replacement`, or end the conversion
    /// with nothing when it is 0.
    std::optional<std::string> encode(std::string_view text, char replacement) const;

    std::optional<int> m_fixed;
    const std::int16_t* m_lngBase = nullptr;
};
