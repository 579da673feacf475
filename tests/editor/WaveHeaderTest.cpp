// The wave header check: its rules in order, the search for the data chunk, and unreadable files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "editor/WaveFiles.h"
#include "editor/WaveHeader.h"
#include "support/TestPlatform.h"

using namespace std::string_literals;

namespace {

/// A file in memory that hands out at most `chunk` bytes per read and may stop before its announced size.
class MemorySource : public IByteSource {
public:
    explicit MemorySource(std::string bytes, std::size_t chunk = 1 << 20)
        : m_bytes(std::move(bytes)), m_chunk(chunk), m_size(m_bytes.size()) {}
    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        std::size_t n = std::min({size, m_chunk, m_bytes.size() - m_pos});
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    std::uint64_t size() const override { return m_size; }
    void announce(std::uint64_t size) { m_size = size; }

private:
    std::string m_bytes;
    std::size_t m_chunk;
    std::size_t m_pos = 0;
    std::uint64_t m_size;
};

WaveHeader check(const std::string& bytes, std::size_t chunk = 1 << 20) {
    MemorySource source(bytes, chunk);
    return ReadWaveHeader(source);
}

WaveHeader check(const WaveFiles::Format& format) {
    return check(WaveFiles::bytes(format));
}

// The first 36 bytes of a canonical header: everything before the "data" tag.
std::string headerWithoutData(const WaveFiles::Format& format = {}) {
    return WaveFiles::header(format).substr(0, 36);
}

std::string le32(std::uint32_t v) {
    std::string out;
    WaveFiles::put32(out, v);
    return out;
}

TEST(WaveHeader, monoSixteenBitFile_acceptedWithRateDataSizeAndWholeLength) {
    WaveFiles::Format f;
    f.rate = 22050;
    f.dataSize = 44100;
    f.soundBytes = 44100;
    WaveHeader h = check(f);
    EXPECT_EQ(h.verdict, WaveVerdict::Accepted);
    EXPECT_EQ(h.sampleRate, 22050u);
    EXPECT_EQ(h.dataSize, 44100u);
    EXPECT_EQ(h.fileLength, 44u + 44100u);
}

TEST(WaveHeader, severalRulesBroken_firstRuleInOrderDecides) {
    WaveFiles::Format all;
    all.channels = 2;
    all.rate = 44100;
    all.bits = 8;
    std::string notWave = WaveFiles::bytes(all);
    notWave.replace(8, 4, "WAVF");
    notWave.replace(36, 4, "xxxx");  // no data chunk either
    EXPECT_EQ(check(notWave).verdict, WaveVerdict::NotWave);
    EXPECT_EQ(check(all).verdict, WaveVerdict::NotMono);

    WaveFiles::Format stereo8;
    stereo8.channels = 2;
    stereo8.bits = 8;
    EXPECT_EQ(check(stereo8).verdict, WaveVerdict::NotMono);

    WaveFiles::Format fastAnd8;
    fastAnd8.rate = 44100;
    fastAnd8.bits = 8;
    EXPECT_EQ(check(fastAnd8).verdict, WaveVerdict::RateOutOfRange);

    WaveFiles::Format eightBit;
    eightBit.bits = 8;
    EXPECT_EQ(check(eightBit).verdict, WaveVerdict::Not16Bit);

    std::string noData = headerWithoutData() + std::string(100, 'x');
    noData[22] = 2;  // stereo without a data chunk is still "not mono"
    EXPECT_EQ(check(noData).verdict, WaveVerdict::NotMono);
}

TEST(WaveHeader, shortFiles_judgedByTheRuleTheirBytesBreak) {
    EXPECT_EQ(check("").verdict, WaveVerdict::NotWave);
    EXPECT_EQ(check("RIFF").verdict, WaveVerdict::NotWave);
    EXPECT_EQ(check("RIFF\x10\0\0\0WAVE"s).verdict, WaveVerdict::NotMono);
}

TEST(WaveHeader, rateBoundaries_8000And24000AcceptedNeighboursRefused) {
    for (std::uint32_t rate : {8000u, 24000u}) {
        WaveFiles::Format f;
        f.rate = rate;
        EXPECT_EQ(check(f).verdict, WaveVerdict::Accepted) << rate;
    }
    for (std::uint32_t rate : {7999u, 24001u, 0u, 0xFFFFFFFFu}) {
        WaveFiles::Format f;
        f.rate = rate;
        EXPECT_EQ(check(f).verdict, WaveVerdict::RateOutOfRange) << rate;
    }
}

TEST(WaveHeader, falseStartDatThenD_dIsNotTakenAsANewStart) {
    // "dat" broken by a "d": the search goes on after that "d", so the "data" it would start is skipped and
    // the chunk that follows is the one found.
    std::string bytes = headerWithoutData() + "datdata" + le32(111) + "data" + le32(222) + std::string(222, 's');
    WaveHeader h = check(bytes);
    EXPECT_EQ(h.verdict, WaveVerdict::Accepted);
    EXPECT_EQ(h.dataSize, 222u);

    EXPECT_EQ(check(headerWithoutData() + "datdata" + le32(111)).verdict, WaveVerdict::NoDataChunk);
    // "dd" breaks on the second "d", which is not looked at again; a third "d" starts afresh.
    EXPECT_EQ(check(headerWithoutData() + "ddata" + le32(111)).verdict, WaveVerdict::NoDataChunk);
    EXPECT_EQ(check(headerWithoutData() + "dddata" + le32(444)).dataSize, 444u);
    EXPECT_EQ(check(headerWithoutData() + "dat" + "xdata" + le32(333)).dataSize, 333u);
}

TEST(WaveHeader, dataTagAcrossReadBoundaries_found) {
    std::string bytes =
        headerWithoutData() + std::string(70000, 'x') + "data" + le32(0x01020304) + std::string(0x01020304, 's');
    for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{65536}, std::size_t{1} << 20}) {
        WaveHeader h = check(bytes, chunk);
        EXPECT_EQ(h.verdict, WaveVerdict::Accepted) << chunk;
        EXPECT_EQ(h.dataSize, 0x01020304u) << chunk;
    }
    for (std::size_t at = 65530; at < 65540; ++at) {
        std::string shifted = headerWithoutData() + std::string(at - 36, 'x') + "data" + le32(77);
        EXPECT_EQ(check(shifted).dataSize, 77u) << at;
    }
}

TEST(WaveHeader, noDataTagOrSizeCutOff_noDataChunk) {
    EXPECT_EQ(check(headerWithoutData() + std::string(1000, 'x')).verdict, WaveVerdict::NoDataChunk);
    EXPECT_EQ(check(headerWithoutData() + "dat").verdict, WaveVerdict::NoDataChunk);
    EXPECT_EQ(check(headerWithoutData() + "data\x10\x00\x00"s).verdict, WaveVerdict::NoDataChunk);
    EXPECT_EQ(check(headerWithoutData() + "data" + le32(2) + "ss").verdict, WaveVerdict::Accepted);
}

TEST(WaveHeader, tagInsideTheHeader_searchStartsAtOffsetZero) {
    // A "data" in the RIFF size field comes before the real chunk and wins.
    std::string bytes = WaveFiles::bytes({});
    bytes.replace(0, 8, "xxdata\x05\x00"s);
    bytes.replace(8, 4, "WAVE");
    // Bytes 6..9 after the tag are the size: 05 00 'W' 'A'.
    EXPECT_EQ(check(bytes).dataSize, 0x41570005u);
}

TEST(WaveHeader, sourceEndingBeforeItsLength_unreadable) {
    std::string bytes = headerWithoutData() + std::string(1000, 'x');
    MemorySource source(bytes);
    source.announce(bytes.size() + 10);
    EXPECT_EQ(ReadWaveHeader(source).verdict, WaveVerdict::Unreadable);
}

TEST(WaveHeader, dataChunkAndFile_announcedSoundMustBeThereAndHoldASample) {
    struct Case {
        const char* name;
        std::uint32_t dataSize;
        std::uint32_t soundBytes;
        WaveVerdict verdict;
    };
    const Case cases[] = {
        {"copy cut short on a stick", 24000, 1000, WaveVerdict::CutShort},
        {"4 GB announced in 100 bytes", 0xFFFFFFFF, 56, WaveVerdict::CutShort},
        {"last byte missing", 16000, 15999, WaveVerdict::CutShort},
        {"odd size without its pad byte", 16001, 16001, WaveVerdict::Accepted},
        {"odd size with its pad byte", 16001, 16002, WaveVerdict::Accepted},
        {"a chunk after the sound", 16000, 16100, WaveVerdict::Accepted},
        {"one sample", 2, 2, WaveVerdict::Accepted},
        {"no sound", 0, 0, WaveVerdict::NoSound},
        {"no sound before a chunk", 0, 100, WaveVerdict::NoSound},
        {"half a sample", 1, 1, WaveVerdict::NoSound},
    };
    for (const Case& c : cases) {
        WaveFiles::Format f;
        f.dataSize = c.dataSize;
        f.soundBytes = c.soundBytes;
        for (std::size_t chunk : {std::size_t{1}, std::size_t{1} << 20}) {
            const WaveHeader h = check(WaveFiles::bytes(f), chunk);
            EXPECT_EQ(h.verdict, c.verdict) << c.name;
            EXPECT_EQ(h.dataPresent, c.soundBytes) << c.name;
        }
    }
}

TEST(WaveHeader, pathOverload_readsTheFileAndReportsAMissingOneUnreadable) {
    TestPlatform test;
    std::string path = test.folder.file("bell.wav");
    WaveFiles::writeOfLength(path, 16044);
    WaveHeader h = ReadWaveHeader(test.fs, path);
    EXPECT_EQ(h.verdict, WaveVerdict::Accepted);
    EXPECT_EQ(h.fileLength, 16044u);
    EXPECT_EQ(ReadWaveHeader(test.fs, test.folder.file("missing.wav")).verdict, WaveVerdict::Unreadable);
}

}  // namespace
