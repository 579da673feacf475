#pragma once

#include "platform/ITextCodec.h"

/// ISO 8859-1 through Qt: byte n is code point n. Holds only until the code-page codec replaces it.
class QtLatin1Codec : public ITextCodec {
public:
    std::string toUtf8(std::string_view bytes) const override;
    std::string fromUtf8(std::string_view text) const override;
};
