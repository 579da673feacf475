#pragma once

#include <cstdint>
#include <string>

#include "platform/IFileSystem.h"

/// What the check of a wave file found. The rules are applied in the order of the values; the first one that
/// fails decides.
enum class WaveVerdict {
    Accepted,
    NotWave,         ///< bytes 8 to 11 are not "WAVE"
    NotMono,         ///< the channel count at 22 is not 1
    RateOutOfRange,  ///< the sample rate at 24 is not from 8000 to 24000 Hz
    Not16Bit,        ///< the bits per sample at 34 are not 16
    NoDataChunk,     ///< no "data" before the end of the file (or its size cut off by the end)
    /// The data chunk announces more bytes of sound than the file holds after its size (a copy cut short);
    /// the pad byte that follows an odd size is not required.
    CutShort,
    NoSound,     ///< the data chunk announces less than one 16-bit sample
    Unreadable,  ///< the file cannot be opened or read, or is too long for the message set's sizes
};

/// The fields of a wave file that the editor uses. Only fixed offsets of the canonical 44-byte header are
/// looked at; the data chunk is found by a search for "data" from the start of the file, and its announced size
/// must fit in the file.
struct WaveHeader {
    WaveVerdict verdict = WaveVerdict::Unreadable;
    std::uint32_t fileLength = 0;   ///< L, the whole file in bytes
    std::uint32_t sampleRate = 0;   ///< R, Hz
    std::uint32_t dataSize = 0;     ///< D, bytes of sound the data chunk announces; set from `CutShort` on
    std::uint32_t dataPresent = 0;  ///< bytes of the file after the data chunk's size; set as `dataSize`

    bool accepted() const { return verdict == WaveVerdict::Accepted; }
    bool operator==(const WaveHeader&) const = default;
};

/// Checks the file in `source`, reading it in large blocks from its start.
WaveHeader ReadWaveHeader(IByteSource& source);
/// Opens `path` and checks it; the file is closed again before this returns.
WaveHeader ReadWaveHeader(const IFileSystem& fs, const std::string& path);
