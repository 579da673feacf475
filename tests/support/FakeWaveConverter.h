#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/IWaveConverter.h"

/// A converter that knows only the files a test names: `sounds` maps a path to what it holds. `convert` of
/// such a file gives a canonical 16-bit mono file of `seconds` at the output rate, of silence; every other
/// file is unreadable. `converted` records each conversion asked for.
class FakeWaveConverter : public IWaveConverter {
public:
    struct Sound {
        SoundInfo info;
        double seconds = 1.0;
    };

    std::optional<SoundInfo> probe(const std::string& path) const override;
    Result convert(const std::string& path, std::optional<int> rate) const override;

    std::map<std::string, Sound> sounds;
    /// When set, `convert` fails with this reason.
    std::string failure;
    mutable std::vector<std::string> converted;
};
