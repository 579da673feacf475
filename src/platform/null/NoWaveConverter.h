#pragma once

#include "platform/IWaveConverter.h"

/// The converter of a build without a sound file library (the Windows builds without Qt): it reads no sound
/// file, and every conversion is refused, saying why.
class NoWaveConverter : public IWaveConverter {
public:
    std::optional<SoundInfo> probe(const std::string& path) const override;
    Result convert(const std::string& path, std::optional<int> rate) const override;
};
