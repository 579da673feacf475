#include "platform/null/NoWaveConverter.h"

std::optional<IWaveConverter::SoundInfo> NoWaveConverter::probe(const std::string&) const {
    return std::nullopt;
}

IWaveConverter::Result NoWaveConverter::convert(const std::string&, std::optional<int>) const {
    Result result;
    result.error = "this build of the program cannot convert sound files (it has no sound file library)";
    return result;
}
