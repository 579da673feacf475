// The wave file check: any bytes give a verdict, and the same one whether the file comes in one read or in
// reads of a few bytes each (the first input byte sets the read size).
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzPlatform.h"
#include "editor/WaveHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    MemoryFileSystem fs;
    fs.put("/prog/a.wav", std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    const WaveHeader whole = ReadWaveHeader(fs, "/prog/a.wav");
    fs.readChunk = 1 + data[0] % 64;
    const WaveHeader pieces = ReadWaveHeader(fs, "/prog/a.wav");

    FUZZ_CHECK(whole.verdict == pieces.verdict, "same verdict in small reads");
    FUZZ_CHECK(whole.fileLength == size - 1, "file length");
    FUZZ_CHECK(whole.fileLength == pieces.fileLength && whole.sampleRate == pieces.sampleRate &&
                   whole.dataSize == pieces.dataSize && whole.dataPresent == pieces.dataPresent,
               "same fields in small reads");
    FUZZ_CHECK(whole.verdict != WaveVerdict::Unreadable, "a file in memory is always readable");
    if (whole.accepted()) {
        FUZZ_CHECK(whole.sampleRate >= 8000 && whole.sampleRate <= 24000, "accepted rate in range");
        FUZZ_CHECK(whole.dataSize >= 2 && whole.dataSize <= whole.dataPresent, "accepted sound is all there");
        FUZZ_CHECK(whole.dataPresent < whole.fileLength, "the sound lies inside the file");
    }
    return 0;
}
