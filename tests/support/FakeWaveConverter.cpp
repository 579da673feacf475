#include "support/FakeWaveConverter.h"

#include <cmath>

#include "editor/WaveFiles.h"

std::optional<IWaveConverter::SoundInfo> FakeWaveConverter::probe(const std::string& path) const {
    auto it = sounds.find(path);
    if (it == sounds.end())
        return std::nullopt;
    return it->second.info;
}

IWaveConverter::Result FakeWaveConverter::convert(const std::string& path, std::optional<int> rate) const {
    converted.push_back(path);
    Result result;
    auto it = sounds.find(path);
    if (it == sounds.end() || !failure.empty()) {
        result.error = failure.empty() ? "not a sound file" : failure;
        return result;
    }
    const Sound& sound = it->second;
    result.inputRate = sound.info.rate;
    result.inputChannels = sound.info.channels;
    result.outputRate = rate ? *rate : outputRateFor(sound.info.rate);
    result.frames = std::llround(sound.seconds * result.outputRate);
    WaveFiles::Format out;
    out.rate = static_cast<std::uint32_t>(result.outputRate);
    out.dataSize = out.soundBytes = static_cast<std::uint32_t>(result.frames * 2);
    result.bytes = WaveFiles::bytes(out);
    return result;
}
