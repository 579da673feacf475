#include "platform/PlayableSound.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/Utf8Path.h"

namespace {

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

bool idAt(const std::vector<std::uint8_t>& b, std::size_t at, const char* id) {
    return std::equal(id, id + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

std::optional<PlayableSound> PlayableSound::read(const std::string& path) {
    if (path.empty())
        return std::nullopt;
    std::ifstream in(utf8Path(path), std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || !idAt(b, 0, "RIFF") || !idAt(b, 8, "WAVE"))
        return std::nullopt;
    PlayableSound sound;
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::uint32_t size = le(b, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t available = std::min<std::size_t>(size, b.size() - body);
        if (idAt(b, at, "fmt ") && available >= 16) {
            sound.formatTag = static_cast<std::uint16_t>(le(b, body, 2));
            sound.channels = static_cast<std::uint16_t>(le(b, body + 2, 2));
            sound.rate = le(b, body + 4, 4);
            sound.byteRate = le(b, body + 8, 4);
            sound.blockAlign = static_cast<std::uint16_t>(le(b, body + 12, 2));
            sound.bits = static_cast<std::uint16_t>(le(b, body + 14, 2));
            haveFormat = true;
        } else if (idAt(b, at, "data") && haveFormat) {
            sound.bytes.assign(b.begin() + static_cast<std::ptrdiff_t>(body),
                               b.begin() + static_cast<std::ptrdiff_t>(body + available));
            return sound;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}
