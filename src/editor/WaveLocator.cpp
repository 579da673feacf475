#include "editor/WaveLocator.h"

#include <algorithm>
#include <cctype>

#include "editor/Formats.h"
#include "editor/StoredSize.h"
#include "editor/WaveHeader.h"

namespace {

bool sameLetters(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace

WaveLocator::WaveLocator(const IFileSystem& fs, const std::string& setFolder) : m_fs(fs), m_folder(setFolder) {
    if (!m_folder.empty() && m_folder.back() != fs.separator() && m_folder.back() != '/')
        m_folder += fs.separator();
}

std::string WaveLocator::fileName(const std::string& path) {
    const auto last = path.find_last_of("\\/");
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string WaveLocator::folderOf(const std::string& path, char separator) {
    const auto last = path.find_last_of(std::string("/") + separator);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

const std::vector<WaveLocator::Listing>& WaveLocator::listings() const {
    if (m_listings)
        return *m_listings;
    m_listings.emplace();
    if (m_folder.empty())
        return *m_listings;
    m_listings->push_back({m_folder, m_fs.list(m_folder)});
    // One level down only: a set's files lie beside it or in a folder of their own next to it.
    const std::vector<IFileSystem::Entry> top = m_listings->front().entries;
    for (const IFileSystem::Entry& entry : top) {
        if (entry.folder) {
            const std::string folder = m_folder + entry.name + m_fs.separator();
            m_listings->push_back({folder, m_fs.list(folder)});
        }
    }
    return *m_listings;
}

std::vector<std::string> WaveLocator::candidates(const std::string& name) const {
    std::vector<std::string> paths;
    for (const Listing& listing : listings()) {
        const auto& entries = listing.entries;
        auto exact = std::find_if(entries.begin(), entries.end(),
                                  [&](const IFileSystem::Entry& e) { return !e.folder && e.name == name; });
        if (exact != entries.end()) {
            paths.push_back(listing.folder + exact->name);
            continue;
        }
        for (const IFileSystem::Entry& e : entries) {
            if (!e.folder && sameLetters(e.name, name))
                paths.push_back(listing.folder + e.name);
        }
    }
    return paths;
}

WaveLocator::Found WaveLocator::locate(const std::string& storedPath, std::int32_t tMsgSize) const {
    const std::string path = Formats::trimmed(storedPath);
    if (m_fs.exists(path))
        return {Where::AtPath, storedPath};
    const std::string name = fileName(path);
    if (name.empty())
        return {};
    std::optional<std::string> differing;
    for (const std::string& candidate : candidates(name)) {
        const WaveHeader header = ReadWaveHeader(m_fs, candidate);
        if (header.accepted() && storedSize(header.fileLength) == tMsgSize)
            return {Where::Beside, candidate};
        if (!differing)
            differing = candidate;
    }
    if (differing)
        return {Where::Differs, *differing};
    return {};
}
