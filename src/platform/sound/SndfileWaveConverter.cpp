#include "platform/sound/SndfileWaveConverter.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/Utf8Path.h"

namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 16-bit WAVE file cannot hold more than 4 GiB of samples; longer inputs are refused rather than written
// with sizes that wrap.
constexpr std::int64_t kMaxOutputFrames = (0xFFFFFFFFll - 36) / 2;

using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

SndfileHandle openForReading(const std::string& path, SF_INFO& info) {
#ifdef _WIN32
    // The path is UTF-8; the narrow call would take it in the ANSI code page and miss other letters.
    return SndfileHandle(sf_wchar_open(utf8Path(path).c_str(), SFM_READ, &info));
#else
    return SndfileHandle(sf_open(path.c_str(), SFM_READ, &info));
#endif
}

}  // namespace

std::optional<IWaveConverter::SoundInfo> SndfileWaveConverter::probe(const std::string& path) const {
    SF_INFO info{};
    SndfileHandle file = openForReading(path, info);
    if (!file || info.channels < 1 || info.samplerate < 1)
        return std::nullopt;
    return SoundInfo{info.samplerate, info.channels};
}

IWaveConverter::Result SndfileWaveConverter::convert(const std::string& path, std::optional<int> rate) const {
    Result result;
    SF_INFO info{};
    SndfileHandle file = openForReading(path, info);
    if (!file) {
        result.error = sf_strerror(nullptr);
        return result;
    }
    result.inputRate = info.samplerate;
    result.inputChannels = info.channels;
    if (info.channels < 1 || info.samplerate < 1) {
        result.error = "no sound in the file";
        return result;
    }
    // Floating-point inputs louder than full scale are clipped below, not wrapped.
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

    std::vector<float> mono;
    std::vector<float> block(static_cast<std::size_t>(4096) * info.channels);
    for (;;) {
        sf_count_t got = sf_readf_float(file.get(), block.data(), 4096);
        if (got <= 0)
            break;
        for (sf_count_t f = 0; f < got; ++f) {
            double sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += block[static_cast<std::size_t>(f * info.channels + c)];
            mono.push_back(static_cast<float>(sum / info.channels));
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR) {
        result.error = sf_strerror(file.get());
        return result;
    }

    result.outputRate = rate ? *rate : outputRateFor(info.samplerate);
    std::vector<float> resampled;
    if (result.outputRate != info.samplerate && !mono.empty()) {
        const double ratio = static_cast<double>(result.outputRate) / info.samplerate;
        resampled.resize(static_cast<std::size_t>(std::ceil(mono.size() * ratio)) + 16);
        SRC_DATA data{};
        data.data_in = mono.data();
        data.input_frames = static_cast<long>(mono.size());
        data.data_out = resampled.data();
        data.output_frames = static_cast<long>(resampled.size());
        data.src_ratio = ratio;
        int error = src_simple(&data, SRC_SINC_BEST_QUALITY, 1);
        if (error != 0) {
            result.error = src_strerror(error);
            return result;
        }
        resampled.resize(static_cast<std::size_t>(data.output_frames_gen));
    } else {
        resampled = std::move(mono);
    }
    if (static_cast<std::int64_t>(resampled.size()) > kMaxOutputFrames) {
        result.error = "the sound is too long for a WAVE file";
        return result;
    }

    std::vector<std::int16_t> samples(resampled.size());
    // Full scale is 32768, as libsndfile reads 16-bit samples, so 16-bit inputs come through unchanged.
    for (std::size_t i = 0; i < resampled.size(); ++i) {
        double scaled = std::lrint(static_cast<double>(resampled[i]) * 32768.0);
        samples[i] = static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
    }
    result.frames = static_cast<std::int64_t>(samples.size());
    result.bytes = canonicalWave(samples, result.outputRate);
    return result;
}

std::string SndfileWaveConverter::canonicalWave(const std::vector<std::int16_t>& samples, int rate) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out;
    out.reserve(44 + dataSize);
    out += "RIFF";
    putLe(out, 36 + dataSize, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4);
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // one channel
    putLe(out, static_cast<std::uint32_t>(rate), 4);
    putLe(out, static_cast<std::uint32_t>(rate) * 2, 4);  // bytes per second
    putLe(out, 2, 2);                                     // bytes per sample frame
    putLe(out, 16, 2);
    out += "data";
    putLe(out, dataSize, 4);
    for (std::int16_t s : samples)
        putLe(out, static_cast<std::uint16_t>(s), 2);
    return out;
}
