#include "platform/SystemFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace SystemFiles {

namespace {

/// The reason of the call that just failed; a failure that set none reads as an input/output error.
std::error_code lastSystemError() {
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

/// The permissions and owner of `like`, where it exists; an owner the process may not give is left alone.
bool takeModeAndOwner(int fd, const std::filesystem::path& like) {
    struct stat old {};
    if (like.empty() || ::stat(like.c_str(), &old) != 0)
        return true;
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        return false;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // The file then belongs to whoever saves it, as with any new file; its permissions still hold.
    }
    return true;
}

}  // namespace

bool writeNew(const std::filesystem::path& temp, std::string_view content, const std::filesystem::path& like,
              std::error_code& error) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = lastSystemError();
        return false;
    }
    // A file is only as saved as the disk holds it: without the flush a power cut after the rename can leave
    // an empty file in the old one's place.
    bool ok = takeModeAndOwner(fd, like) && writeAll(fd, content) && ::fsync(fd) == 0;
    if (!ok)
        error = lastSystemError();
    if (::close(fd) != 0 && ok) {
        error = lastSystemError();
        ok = false;
    }
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

bool replace(const std::filesystem::path& temp, const std::filesystem::path& target, std::error_code& error) {
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        error = lastSystemError();
        return false;
    }
    // The new name is on the disk once its folder is; a folder that cannot be flushed changes nothing.
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace SystemFiles
