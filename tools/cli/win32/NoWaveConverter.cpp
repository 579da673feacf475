// The converter of a build without libsndfile (the Windows cross build): every conversion is refused, saying why.
#include "WaveConverter.h"

WaveConverter::Result WaveConverter::convert(const std::string&, std::optional<int>) {
    Result result;
    result.error = "this build of the program cannot convert sound files (it has no sound file library)";
    return result;
}
