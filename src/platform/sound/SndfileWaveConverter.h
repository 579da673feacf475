#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/IWaveConverter.h"

/// The converter on libsndfile, which reads WAVE files of any sample format or channel count, extensible
/// headers, extra chunks, FLAC, AIFF and Ogg, and libsamplerate, which changes the rate.
class SndfileWaveConverter : public IWaveConverter {
public:
    std::optional<SoundInfo> probe(const std::string& path) const override;
    Result convert(const std::string& path, std::optional<int> rate) const override;

    /// The canonical file for 16-bit mono samples at `rate`.
    static std::string canonicalWave(const std::vector<std::int16_t>& samples, int rate);
};
