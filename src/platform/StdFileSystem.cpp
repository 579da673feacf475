#include "platform/StdFileSystem.h"

#include <algorithm>
#include <cerrno>
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

template <typename T>
T StdFileSystem::failed(T result, const std::error_code& error) const {
    std::string reason = error ? error.message() : std::string();
    // Some systems end their texts with a line end or a full stop; the caller puts the reason after a path.
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.' || reason.back() == ' '))
        reason.pop_back();
    m_lastError = std::move(reason);
    return result;
}

namespace {

/// The reason a stream could not be opened or used: the C library's, or an input/output error when it left none.
std::error_code streamError() {
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

}  // namespace

std::optional<std::string> StdFileSystem::readFile(const std::string& path) const {
    m_lastError.clear();
    // A folder opens as a stream on some systems and then throws on reading.
    std::error_code ec;
    if (fs::is_directory(utf8Path(path), ec))
        return failed(std::optional<std::string>(), std::make_error_code(std::errc::is_a_directory));
    errno = 0;
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in)
        return failed(std::optional<std::string>(), streamError());
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return failed(std::optional<std::string>(), streamError());
    return content;
}

std::unique_ptr<IByteSource> StdFileSystem::openRead(const std::string& path) const {
    m_lastError.clear();
    std::error_code ec;
    if (fs::is_directory(utf8Path(path), ec))
        return failed(std::unique_ptr<IByteSource>(), std::make_error_code(std::errc::is_a_directory));
    auto size = fs::file_size(utf8Path(path), ec);
    if (ec)
        return failed(std::unique_ptr<IByteSource>(), ec);
    errno = 0;
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in)
        return failed(std::unique_ptr<IByteSource>(), streamError());
    return std::make_unique<FileByteSource>(std::move(in), size);
}

bool StdFileSystem::writeFileAtomic(const std::string& path, const std::string& content) {
    m_lastError.clear();
    // Through a symbolic link the file it names is saved: the link stays a link.
    const std::optional<fs::path> link = linkTarget(utf8Path(path));
    if (!link)
        return failed(false, std::make_error_code(std::errc::too_many_symbolic_link_levels));
    const fs::path& target = *link;
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        return failed(false, std::make_error_code(std::errc::is_a_directory));
    const bool existed = fs::exists(status);
    // A read-only file stays as it is, as a direct write to it would fail too.
    if (existed && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return failed(false, std::make_error_code(std::errc::permission_denied));
    std::random_device random;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const fs::path temp = tempBeside(target, random() % 1000000);
        if (fs::exists(temp, ec))
            continue;
        std::error_code error;
        if (!SystemFiles::writeNew(temp, content, existed ? target : fs::path(), error))
            return failed(false, error);
        if (SystemFiles::replace(temp, target, error))
            return true;
        fs::remove(temp, ec);
        return failed(false, error);
    }
    return failed(false, std::make_error_code(std::errc::file_exists));
}

bool StdFileSystem::remove(const std::string& path) {
    std::error_code ec;
    return fs::remove(utf8Path(path), ec);
}

bool StdFileSystem::appendFile(const std::string& path, const std::string& content) {
    m_lastError.clear();
    std::error_code ec;
    if (fs::is_directory(utf8Path(path), ec))
        return failed(false, std::make_error_code(std::errc::is_a_directory));
    errno = 0;
    std::ofstream out(utf8Path(path), std::ios::binary | std::ios::app);
    if (!out)
        return failed(false, streamError());
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out)
        return failed(false, streamError());
    return true;
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

std::vector<IFileSystem::Entry> StdFileSystem::list(const std::string& folder) const {
    std::vector<Entry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(utf8Path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        const bool isFolder = it->is_directory(kind);
        if (isFolder || it->is_regular_file(kind))
            entries.push_back({utf8String(it->path().filename()), isFolder});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return entries;
}

bool StdFileSystem::makeFolder(const std::string& path) {
    m_lastError.clear();
    std::error_code ec;
    fs::create_directory(utf8Path(path), ec);
    if (ec)
        return failed(false, ec);
    if (!fs::is_directory(utf8Path(path), ec))
        return failed(false, std::make_error_code(std::errc::file_exists));
    return true;
}
