#include "platform/StdFileSystem.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

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

fs::path toPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

char StdFileSystem::separator() const {
    return static_cast<char>(fs::path::preferred_separator);
}

bool StdFileSystem::exists(const std::string& path) const {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(toPath(path), ec);
}

std::optional<std::string> StdFileSystem::readFile(const std::string& path) const {
    // A folder opens as a stream on some systems and then throws on reading.
    std::error_code ec;
    if (fs::is_directory(toPath(path), ec))
        return std::nullopt;
    std::ifstream in(toPath(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return content;
}

std::unique_ptr<IByteSource> StdFileSystem::openRead(const std::string& path) const {
    std::error_code ec;
    auto size = fs::file_size(toPath(path), ec);
    if (ec)
        return nullptr;
    std::ifstream in(toPath(path), std::ios::binary);
    if (!in)
        return nullptr;
    return std::make_unique<FileByteSource>(std::move(in), size);
}

bool StdFileSystem::writeFileAtomic(const std::string& path, const std::string& content) {
    fs::path target = toPath(path);
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return false;
    std::random_device random;
    fs::path temp = target;
    temp += ".tmp" + std::to_string(random() % 1000000);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return false;
        }
    }
    // A read-only file stays as it is, as a direct write to it would fail too.
    if (fs::exists(target, ec)) {
        auto perms = fs::status(target, ec).permissions();
        if (!ec && (perms & fs::perms::owner_write) == fs::perms::none) {
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

bool StdFileSystem::remove(const std::string& path) {
    std::error_code ec;
    return fs::remove(toPath(path), ec);
}

bool StdFileSystem::appendFile(const std::string& path, const std::string& content) {
    std::ofstream out(toPath(path), std::ios::binary | std::ios::app);
    if (!out)
        return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    return static_cast<bool>(out);
}

std::optional<std::uint64_t> StdFileSystem::fileSize(const std::string& path) const {
    std::error_code ec;
    auto size = fs::file_size(toPath(path), ec);
    if (ec)
        return std::nullopt;
    return size;
}

bool StdFileSystem::rename(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(toPath(from), toPath(to), ec);
    return !ec;
}
