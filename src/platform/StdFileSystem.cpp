#include "platform/StdFileSystem.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "platform/SystemFiles.h"
#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

class FileByteSource : public IByteSource {
public:
    FileByteSource(std::ifstream stream, std::uint64_t size) : m_stream(std::move(stream)), m_size(size) {}
    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        m_stream.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(m_stream.gcount());
    }
    std::uint64_t size() const override { return m_size; }

private:
    std::ifstream m_stream;
    std::uint64_t m_size;
};

/// The file a path names after following its symbolic links (a relative link is relative to its folder);
/// nothing when the links go round or cannot be read.
std::optional<fs::path> linkTarget(const fs::path& path) {
    constexpr int kMostLinks = 40;
    fs::path current = path;
    std::error_code ec;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        if (!fs::is_symlink(current, ec))
            return current;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec)
            return std::nullopt;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return std::nullopt;
}

/// A name beside `target` for its new content: the target's name and a number, or a short name where that would
/// pass the 255 characters a folder's names may have.
fs::path tempBeside(const fs::path& target, unsigned number) {
    constexpr std::size_t kLongestName = 255;
    const std::string suffix = ".tmp" + std::to_string(number);
    const fs::path name = target.filename();
    if (name.native().size() + suffix.size() <= kLongestName) {
        fs::path temp = target;
        return temp += suffix;
    }
    return target.parent_path() / ("~kvt" + std::to_string(number) + ".tmp");
}

}  // namespace

char StdFileSystem::separator() const {
    return static_cast<char>(fs::path::preferred_separator);
}

bool StdFileSystem::exists(const std::string& path) const {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(utf8Path(path), ec);
}

std::optional<std::string> StdFileSystem::readFile(const std::string& path) const {
    // A folder opens as a stream on some systems and then throws on reading.
    std::error_code ec;
    if (fs::is_directory(utf8Path(path), ec))
        return std::nullopt;
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return content;
}

std::unique_ptr<IByteSource> StdFileSystem::openRead(const std::string& path) const {
    std::error_code ec;
    auto size = fs::file_size(utf8Path(path), ec);
    if (ec)
        return nullptr;
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in)
        return nullptr;
    return std::make_unique<FileByteSource>(std::move(in), size);
}

bool StdFileSystem::writeFileAtomic(const std::string& path, const std::string& content) {
    // Through a symbolic link the file it names is saved: the link stays a link.
    const std::optional<fs::path> link = linkTarget(utf8Path(path));
    if (!link)
        return false;
    const fs::path& target = *link;
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        return false;
    const bool existed = fs::exists(status);
    // A read-only file stays as it is, as a direct write to it would fail too.
    if (existed && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return false;
    std::random_device random;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const fs::path temp = tempBeside(target, random() % 1000000);
        if (fs::exists(temp, ec))
            continue;
        if (!SystemFiles::writeNew(temp, content, existed ? target : fs::path()))
            return false;
        if (SystemFiles::replace(temp, target))
            return true;
        fs::remove(temp, ec);
        return false;
    }
    return false;
}

bool StdFileSystem::remove(const std::string& path) {
    std::error_code ec;
    return fs::remove(utf8Path(path), ec);
}

bool StdFileSystem::appendFile(const std::string& path, const std::string& content) {
    std::ofstream out(utf8Path(path), std::ios::binary | std::ios::app);
    if (!out)
        return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    return static_cast<bool>(out);
}

std::optional<std::uint64_t> StdFileSystem::fileSize(const std::string& path) const {
    std::error_code ec;
    auto size = fs::file_size(utf8Path(path), ec);
    if (ec)
        return std::nullopt;
    return size;
}

bool StdFileSystem::rename(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(utf8Path(from), utf8Path(to), ec);
    return !ec;
}
