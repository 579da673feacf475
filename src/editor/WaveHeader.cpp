#include "editor/WaveHeader.h"

#include <cstring>
#include <vector>

#include "editor/StoredSize.h"

namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;
constexpr std::size_t kHeaderBytes = 36;
constexpr std::uint32_t kSampleBytes = 2;

/// The file's bytes in order, a block at a time, so that even a file without a data chunk is scanned in a few
/// reads.
class BlockReader {
public:
    explicit BlockReader(IByteSource& source) : m_source(source), m_block(kBlockBytes) {}

    /// Makes at least `count` bytes available (fewer only at the end of the file).
    std::size_t ensure(std::size_t count) {
        if (m_pos > 0 && m_pos == m_length)
            m_pos = m_length = 0;
        while (m_length - m_pos < count && !m_ended) {
            if (m_pos > 0) {
                std::memmove(m_block.data(), m_block.data() + m_pos, m_length - m_pos);
                m_length -= m_pos;
                m_pos = 0;
            }
            std::size_t got = m_source.read(m_block.data() + m_length, m_block.size() - m_length);
            m_consumed += got;
            m_length += got;
            if (got == 0)
                m_ended = true;
        }
        return m_length - m_pos;
    }
    const std::uint8_t* data() const { return m_block.data() + m_pos; }
    void skip(std::size_t count) { m_pos += count; }
    /// How many bytes of the file lie before the next one `data()` gives.
    std::uint64_t position() const { return m_consumed - (m_length - m_pos); }
    /// True when the source stopped before the length it announced: a read error.
    bool cutShort() const { return m_ended && m_consumed < m_source.size(); }

private:
    IByteSource& m_source;
    std::vector<std::uint8_t> m_block;
    std::size_t m_pos = 0;
    std::size_t m_length = 0;
    std::uint64_t m_consumed = 0;
    bool m_ended = false;
};

// A field beyond the end of a short file reads as zero bytes.
std::uint32_t littleEndian(const std::uint8_t* header, std::size_t available, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        std::size_t at = offset + static_cast<std::size_t>(i);
        value = (value << 8) | (at < available ? header[at] : 0u);
    }
    return value;
}

/// The search for "data": a byte that breaks a partial match is not looked at again as a new start.
/// Returns false at the end of the file; on success the reader stands after the "a".
bool findData(BlockReader& reader) {
    static constexpr char kTag[] = "data";
    int matched = 0;
    for (;;) {
        std::size_t available = reader.ensure(1);
        if (available == 0)
            return false;
        const std::uint8_t* bytes = reader.data();
        if (matched == 0) {
            const void* d = std::memchr(bytes, 'd', available);
            if (d == nullptr) {
                reader.skip(available);
                continue;
            }
            reader.skip(static_cast<std::size_t>(static_cast<const std::uint8_t*>(d) - bytes) + 1);
            matched = 1;
            continue;
        }
        reader.skip(1);
        if (bytes[0] != static_cast<std::uint8_t>(kTag[matched])) {
            matched = 0;
        } else if (++matched == 4) {
            return true;
        }
    }
}

}  // namespace

WaveHeader ReadWaveHeader(IByteSource& source) {
    WaveHeader result;
    if (source.size() > kMaxFileLength)
        return result;
    result.fileLength = static_cast<std::uint32_t>(source.size());

    BlockReader reader(source);
    std::size_t available = reader.ensure(kHeaderBytes);
    const std::uint8_t* header = reader.data();
    if (available < 12 || std::memcmp(header + 8, "WAVE", 4) != 0) {
        result.verdict = reader.cutShort() ? WaveVerdict::Unreadable : WaveVerdict::NotWave;
        return result;
    }
    if (littleEndian(header, available, 22, 2) != 1) {
        result.verdict = WaveVerdict::NotMono;
        return result;
    }
    result.sampleRate = littleEndian(header, available, 24, 4);
    if (result.sampleRate < 8000 || result.sampleRate > 24000) {
        result.verdict = WaveVerdict::RateOutOfRange;
        return result;
    }
    if (littleEndian(header, available, 34, 2) != 16) {
        result.verdict = WaveVerdict::Not16Bit;
        return result;
    }

    bool found = findData(reader);
    std::size_t sizeBytes = found ? reader.ensure(4) : 0;
    if (reader.cutShort()) {
        result.verdict = WaveVerdict::Unreadable;
    } else if (!found || sizeBytes < 4) {
        result.verdict = WaveVerdict::NoDataChunk;
    } else {
        result.dataSize = littleEndian(reader.data(), 4, 0, 4);
        const std::uint64_t soundStart = reader.position() + 4;
        result.dataPresent = static_cast<std::uint32_t>(result.fileLength - soundStart);
        if (result.dataSize > result.dataPresent)
            result.verdict = WaveVerdict::CutShort;
        else if (result.dataSize < kSampleBytes)
            result.verdict = WaveVerdict::NoSound;
        else
            result.verdict = WaveVerdict::Accepted;
    }
    return result;
}

WaveHeader ReadWaveHeader(const IFileSystem& fs, const std::string& path) {
    auto source = fs.openRead(path);
    if (!source)
        return WaveHeader{};
    return ReadWaveHeader(*source);
}
