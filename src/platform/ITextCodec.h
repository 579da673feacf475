#pragma once

#include <string>
#include <string_view>

/// Converts between the 8-bit system code page of the program's text files and the UTF-8 used inside.
class ITextCodec {
public:
    virtual ~ITextCodec() = default;
    virtual std::string toUtf8(std::string_view bytes) const = 0;
    /// Characters the code page cannot hold become "?"; nothing is dropped.
    virtual std::string fromUtf8(std::string_view text) const = 0;
};
