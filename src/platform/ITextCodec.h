#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Converts between the 8-bit system code page of the program's text files and the UTF-8 used inside.
class ITextCodec {
public:
    virtual ~ITextCodec() = default;
    /// A byte the code page does not define reads as U+FFFD.
    virtual std::string toUtf8(std::string_view bytes) const = 0;
    /// Characters the code page cannot hold become "?"; nothing is dropped. Only for texts that are matched
    /// and never read back as names or values (the window caption in the instance marker).
    virtual std::string fromUtf8(std::string_view text) const = 0;
    /// The text in the code page, or nothing when the code page cannot hold one of its characters: what a
    /// file keeps must read back as it was.
    virtual std::optional<std::string> fromUtf8Exact(std::string_view text) const {
        std::string bytes = fromUtf8(text);
        if (toUtf8(bytes) != text)
            return std::nullopt;
        return bytes;
    }
    /// A codec whose code page depends on the active language follows the language base given (the caller
    /// keeps it alive, or passes nullptr before it goes).
    virtual void followLanguage(const std::int16_t* lngBase) { (void)lngBase; }
    /// The code page of the files, 0 for a codec that has none.
    virtual int codePage() const { return 0; }
    /// Fixes the code page where neither the settings nor the system named one: that of the language given,
    /// which from then on no longer changes with the language. Returns the code page so fixed, for the
    /// settings to keep; nothing when it was fixed already.
    virtual std::optional<int> fixForLanguage(std::int16_t lngBase) {
        (void)lngBase;
        return std::nullopt;
    }
};
