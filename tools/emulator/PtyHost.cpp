#include "PtyHost.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

PtyHost::PtyHost() = default;

PtyHost::~PtyHost() {
    if (!m_link.empty())
        ::unlink(m_link.c_str());
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyHost::open() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (!name) {
        m_error = std::string("no name for the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    m_path = name;
    m_slave = ::open(m_path.c_str(), O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        m_error = "cannot open " + m_path + ": " + std::strerror(errno);
        return false;
    }
    // Raw from the start, so that nothing echoes or translates bytes before the program sets the port up.
    termios raw{};
    if (::tcgetattr(m_slave, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(m_slave, TCSANOW, &raw);
    }
    return true;
}

bool PtyHost::makeLink(const std::string& link) {
    struct stat info {};
    if (::lstat(link.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            m_error = link + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(m_path.c_str(), link.c_str()) != 0) {
        m_error = "cannot link " + link + ": " + std::strerror(errno);
        return false;
    }
    m_link = link;
    return true;
}

void PtyHost::run(const std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>&)>& onBytes,
                  const volatile bool& stop) {
    std::vector<std::uint8_t> buffer(4096);
    while (!stop) {
        pollfd fd{m_master, POLLIN, 0};
        int ready = ::poll(&fd, 1, 200);
        if (ready <= 0 || !(fd.revents & POLLIN))
            continue;
        ssize_t n = ::read(m_master, buffer.data(), buffer.size());
        if (n <= 0)
            continue;
        auto reply = onBytes(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + n));
        if (!reply.empty())
            send(reply);
    }
}

void PtyHost::send(const std::vector<std::uint8_t>& bytes) {
    if (baud <= 0) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno != EINTR)
                return;
            if (n > 0)
                done += static_cast<std::size_t>(n);
        }
        return;
    }
    // One byte at a time against an absolute schedule, so that the pace does not drift.
    const long long nsPerByte = 11LL * 1000000000LL / baud;
    timespec next{};
    ::clock_gettime(CLOCK_MONOTONIC, &next);
    for (std::uint8_t byte : bytes) {
        while (::write(m_master, &byte, 1) < 0 && errno == EINTR) {
        }
        long long ns = next.tv_nsec + nsPerByte;
        next.tv_sec += static_cast<time_t>(ns / 1000000000LL);
        next.tv_nsec = static_cast<long>(ns % 1000000000LL);
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) {
        }
    }
}
