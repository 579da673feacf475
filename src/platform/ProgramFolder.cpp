#include "platform/ProgramFolder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

/// Copies the shipped files the user's folder lacks; a file the user has there (possibly edited) stays.
void fillFrom(const fs::path& installed, const fs::path& user) {
    std::error_code ec;
    for (fs::directory_iterator it(installed, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec) || !ProgramFolder::isShippedFile(it->path().filename().string()))
            continue;
        const fs::path target = user / it->path().filename();
        std::error_code copyError;
        if (!fs::exists(target, copyError))
            fs::copy_file(it->path(), target, fs::copy_options::skip_existing, copyError);
    }
}

}  // namespace

ProgramFolder::ProgramFolder() : m_writable(&ProgramFolder::canCreateFiles) {}

bool ProgramFolder::canCreateFiles(const std::string& folder) {
    std::random_device random;
    const fs::path probe = toPath(folder) / (".kvt3310-probe-" + std::to_string(random() % 1000000));
    std::error_code ec;
    if (fs::exists(probe, ec))
        return false;
    bool created = static_cast<bool>(std::ofstream(probe, std::ios::binary));
    fs::remove(probe, ec);
    return created;
}

bool ProgramFolder::isShippedFile(const std::string& name) {
    const std::string ext = lower(fs::path(name).extension().string());
    return ext == ".lng" || ext == ".txt";
}

std::string ProgramFolder::choose(const std::string& installed, const std::string& user) const {
    if (user.empty() || m_writable(installed))
        return installed;
    std::error_code ec;
    fs::create_directories(toPath(user), ec);
    if (!m_writable(user))
        return installed;
    fillFrom(toPath(installed), toPath(user));
    return user;
}
