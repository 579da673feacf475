#include "PtyHost.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>

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

std::int64_t PtyHost::nowNs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

void PtyHost::sleepUntilNs(std::int64_t ns) {
    timespec t{static_cast<time_t>(ns / 1000000000LL), static_cast<long>(ns % 1000000000LL)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

std::vector<std::uint8_t> PtyHost::readWaiting(int timeoutMs) {
    pollfd fd{m_master, POLLIN, 0};
    if (::poll(&fd, 1, timeoutMs) <= 0 || !(fd.revents & POLLIN))
        return {};
    std::vector<std::uint8_t> buffer(4096);
    ssize_t n = ::read(m_master, buffer.data(), buffer.size());
    if (n <= 0)
        return {};
    buffer.resize(static_cast<std::size_t>(n));
    if (baud > 0) {
        // The bytes count as received when the last of them would have crossed the line.
        m_inFreeNs = std::max(m_inFreeNs, nowNs()) + nsPerByte() * static_cast<std::int64_t>(buffer.size());
    }
    return buffer;
}

void PtyHost::run(const OnBytes& onBytes, const volatile bool& stop) {
    while (!stop) {
        auto bytes = readWaiting(200);
        if (bytes.empty())
            continue;
        if (baud > 0)
            sleepUntilNs(m_inFreeNs);
        auto reply = onBytes(bytes, false);
        if (!reply.empty())
            send(reply, onBytes);
    }
}

void PtyHost::send(const std::vector<std::uint8_t>& bytes, const OnBytes& onBytes) {
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
    // One byte at a time against an absolute schedule, so that the pace does not drift; what the program
    // sends meanwhile is taken in between, as the line is full duplex.
    std::deque<std::uint8_t> queue(bytes.begin(), bytes.end());
    std::int64_t next = std::max(m_outFreeNs, nowNs());
    while (!queue.empty()) {
        const std::uint8_t byte = queue.front();
        queue.pop_front();
        next += nsPerByte();
        sleepUntilNs(next);
        while (::write(m_master, &byte, 1) < 0 && errno == EINTR) {
        }
        auto incoming = readWaiting(0);
        if (!incoming.empty()) {
            sleepUntilNs(m_inFreeNs);
            auto more = onBytes(incoming, !queue.empty());
            queue.insert(queue.end(), more.begin(), more.end());
            next = std::max(next, nowNs());
        }
    }
    m_outFreeNs = next;
}
