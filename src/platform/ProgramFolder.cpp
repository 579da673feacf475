#include "platform/ProgramFolder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

/// Copies the shipped files the user's folder lacks; a file the user has there (possibly edited) stays.
void fillFrom(const fs::path& installed, const fs::path& user) {
    std::error_code ec;
    for (fs::directory_iterator it(installed, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec) || !ProgramFolder::isShippedFile(utf8String(it->path().filename())))
            continue;
        std::error_code copyError;
        fs::copy_file(it->path(), user / it->path().filename(), fs::copy_options::skip_existing, copyError);
    }
}

}  // namespace

ProgramFolder::ProgramFolder() : m_writable(&ProgramFolder::canCreateFiles) {}

bool ProgramFolder::canCreateFiles(const std::string& folder) {
    std::random_device random;
    const fs::path probe = utf8Path(folder) / (".kvt3310-probe-" + std::to_string(random() % 1000000));
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
    fs::create_directories(utf8Path(user), ec);
    if (!m_writable(user))
        return installed;
    fillFrom(utf8Path(installed), utf8Path(user));
    return user;
}
