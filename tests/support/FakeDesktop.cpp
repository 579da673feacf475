#include "support/FakeDesktop.h"

std::string Latin1Codec::toUtf8(std::string_view bytes) const {
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Latin1Codec::fromUtf8(std::string_view text) const {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        unsigned code = c;
        int length = 1;
        if (c >= 0xF0) {
            length = 4;
        } else if (c >= 0xE0) {
            length = 3;
        } else if (c >= 0xC0) {
            length = 2;
            if (i + 1 < text.size()) code = ((c & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
        }
        out += (length <= 2 && code < 0x100) ? static_cast<char>(code) : '?';
        i += length;
    }
    return out;
}
