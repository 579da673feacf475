#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

/// Wave files built byte by byte from the RIFF rules, for feeding the programs under test.
namespace WaveBytes {

inline std::string le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
inline std::string le32(std::uint32_t v) {
    return le16(static_cast<std::uint16_t>(v & 0xFFFF)) + le16(static_cast<std::uint16_t>(v >> 16));
}
inline std::string chunk(const std::string& id, const std::string& body) {
    return id + le32(static_cast<std::uint32_t>(body.size())) + body + (body.size() % 2 ? std::string(1, '\0') : "");
}
/// "RIFF", the size, "WAVE" and the chunks as given.
inline std::string riff(const std::string& chunks) {
    return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}
/// A "fmt " body of the basic 16-byte form.
inline std::string fmt(std::uint16_t format, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const std::uint16_t block = static_cast<std::uint16_t>(channels * bits / 8);
    return le16(format) + le16(channels) + le32(rate) + le32(rate * block) + le16(block) + le16(bits);
}
/// A WAVE_FORMAT_EXTENSIBLE "fmt " body of 40 bytes with integer PCM samples.
inline std::string fmtExtensible(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    static const unsigned char kPcmGuid[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                               0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    return fmt(0xFFFE, channels, rate, bits) + le16(22) + le16(bits) + le32(channels == 2 ? 3 : 4) +
           std::string(reinterpret_cast<const char*>(kPcmGuid), 16);
}
/// The canonical 44-byte file of 16-bit mono PCM: `dataBytes` zero bytes of sound.
inline std::string canonical(std::uint32_t rate, std::uint32_t dataBytes, std::uint16_t channels = 1,
                             std::uint16_t bits = 16) {
    return riff(chunk("fmt ", fmt(1, channels, rate, bits)) + chunk("data", std::string(dataBytes, '\0')));
}
/// `frames` frames of a 440 Hz tone at half scale, as 16-bit samples, the same in every channel.
inline std::string tone16(std::uint32_t frames, std::uint32_t rate, int channels) {
    std::string out;
    for (std::uint32_t i = 0; i < frames; ++i) {
        auto s = static_cast<std::int16_t>(std::lrint(16384 * std::sin(2 * M_PI * 440 * i / rate)));
        for (int c = 0; c < channels; ++c)
            out += le16(static_cast<std::uint16_t>(s));
    }
    return out;
}
/// The same tone as 32-bit floats.
inline std::string toneFloat(std::uint32_t frames, std::uint32_t rate, int channels) {
    std::string out;
    for (std::uint32_t i = 0; i < frames; ++i) {
        float s = static_cast<float>(0.5 * std::sin(2 * M_PI * 440 * i / rate));
        std::uint32_t bits;
        std::memcpy(&bits, &s, 4);
        for (int c = 0; c < channels; ++c)
            out += le32(bits);
    }
    return out;
}

}  // namespace WaveBytes
