#pragma once

#include <cstdint>
#include <optional>
#include <string>

/// Turns any sound file the platform can read into the only form the unit plays: 16-bit mono PCM at 8000 to
/// 24000 Hz, in a canonical 44-byte WAVE header with the format chunk first and nothing but the data after it.
/// Channels are mixed down to their mean; other rates are resampled.
class IWaveConverter {
public:
    static constexpr int kMinRate = 8000;
    static constexpr int kMaxRate = 24000;
    /// The rate used when the input's own rate is outside the unit's range and none was asked for.
    static constexpr int kDefaultRate = 22050;

    /// What a readable sound file holds.
    struct SoundInfo {
        int rate = 0;
        int channels = 0;
    };

    struct Result {
        std::string bytes;  ///< the whole output file; empty when the input could not be read
        std::string error;  ///< why the input could not be read
        int inputRate = 0;
        int inputChannels = 0;
        int outputRate = 0;
        std::int64_t frames = 0;  ///< samples in the output
    };

    virtual ~IWaveConverter() = default;

    /// The rate and channels of `path`, or nothing when it is no sound file that can be converted.
    virtual std::optional<SoundInfo> probe(const std::string& path) const = 0;
    /// Reads `path` and builds the output file in memory; `rate` forces the output rate (within the range).
    virtual Result convert(const std::string& path, std::optional<int> rate) const = 0;

    /// The output rate for an input rate: the input's own when the unit takes it, else the default.
    static int outputRateFor(int inputRate) {
        return inputRate >= kMinRate && inputRate <= kMaxRate ? inputRate : kDefaultRate;
    }
};
