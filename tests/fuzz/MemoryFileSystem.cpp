#include "MemoryFileSystem.h"

#include <algorithm>
#include <cstring>

namespace {

class MemorySource : public IByteSource {
public:
    MemorySource(std::string content, std::size_t chunk) : m_content(std::move(content)), m_chunk(chunk) {}
    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        std::size_t n = std::min(size, m_content.size() - m_pos);
        if (m_chunk != 0)
            n = std::min(n, m_chunk);
        std::memcpy(buffer, m_content.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    std::uint64_t size() const override { return m_content.size(); }

private:
    std::string m_content;
    std::size_t m_chunk;
    std::size_t m_pos = 0;
};

}  // namespace

std::optional<std::string> MemoryFileSystem::readFile(const std::string& path) const {
    auto it = m_files.find(path);
    if (it == m_files.end())
        return std::nullopt;
    return it->second;
}

std::unique_ptr<IByteSource> MemoryFileSystem::openRead(const std::string& path) const {
    auto it = m_files.find(path);
    if (it == m_files.end())
        return nullptr;
    return std::make_unique<MemorySource>(it->second, readChunk);
}

bool MemoryFileSystem::writeFileAtomic(const std::string& path, const std::string& content) {
    // A folder that holds no file stands for one that does not exist, as a save there fails.
    const auto slash = path.rfind('/');
    if (slash == std::string::npos || path.compare(0, slash, programFolder()) != 0)
        return false;
    m_files[path] = content;
    return true;
}

std::vector<IFileSystem::Entry> MemoryFileSystem::list(const std::string& folder) const {
    std::vector<Entry> entries;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    for (const auto& [path, content] : m_files) {
        if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
            path.find('/', prefix.size()) == std::string::npos)
            entries.push_back({path.substr(prefix.size()), false});
    }
    return entries;
}
