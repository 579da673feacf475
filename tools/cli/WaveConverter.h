#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// Turns any sound file that libsndfile reads into the only form the unit plays: 16-bit mono PCM at 8000
/// to 24000 Hz, in a canonical 44-byte WAVE header with the format chunk first and nothing but the data after
/// it. Channels are mixed down to their mean; other rates are resampled.
class WaveConverter {
public:
    static constexpr int kMinRate = 8000;
    static constexpr int kMaxRate = 24000;
    /// The rate used when the input's own rate is outside the unit's range and none was asked for.
    static constexpr int kDefaultRate = 22050;

    struct Result {
        std::string bytes;  ///< the whole output file; empty when the input could not be read
        std::string error;  ///< why the input could not be read
        int inputRate = 0;
        int inputChannels = 0;
        int outputRate = 0;
        std::int64_t frames = 0;  ///< samples in the output
    };

    /// Reads `path` and builds the output file in memory; `rate` forces the output rate (within the range).
    static Result convert(const std::string& path, std::optional<int> rate);
    /// The output rate for an input rate: the input's own when the unit takes it, else the default.
    static int outputRateFor(int inputRate) {
        return inputRate >= kMinRate && inputRate <= kMaxRate ? inputRate : kDefaultRate;
    }
    /// The canonical file for 16-bit mono samples at `rate`.
    static std::string canonicalWave(const std::vector<std::int16_t>& samples, int rate);
};
