#include "support/CountingFileSystem.h"

#include <fstream>

namespace {

class CountingSource : public IByteSource {
public:
    CountingSource(std::unique_ptr<IByteSource> source, std::shared_ptr<std::uint64_t> bytes)
        : m_source(std::move(source)), m_bytes(std::move(bytes)) {}
    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        const std::size_t got = m_source->read(buffer, size);
        *m_bytes += got;
        return got;
    }
    std::uint64_t size() const override { return m_source->size(); }

private:
    std::unique_ptr<IByteSource> m_source;
    std::shared_ptr<std::uint64_t> m_bytes;
};

}  // namespace

std::optional<std::string> CountingFileSystem::readFile(const std::string& path) const {
    auto content = m_files.readFile(path);
    if (content)
        *m_bytes += content->size();
    return content;
}

std::unique_ptr<IByteSource> CountingFileSystem::openRead(const std::string& path) const {
    auto source = m_files.openRead(path);
    if (!source)
        return nullptr;
    return std::make_unique<CountingSource>(std::move(source), m_bytes);
}

void writeRepeated(const std::string& path, const std::string& pattern, std::uint64_t count) {
    std::string block;
    const std::uint64_t perBlock = std::max<std::uint64_t>(1, (1 << 20) / std::max<std::size_t>(1, pattern.size()));
    for (std::uint64_t i = 0; i < std::min(perBlock, count); ++i)
        block += pattern;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::uint64_t written = 0; written < count; written += perBlock) {
        const std::uint64_t copies = std::min(perBlock, count - written);
        out.write(block.data(), static_cast<std::streamsize>(copies * pattern.size()));
    }
}
