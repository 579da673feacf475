#include "support/TestPlatform.h"

#include <random>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device random;
    fs::path base = fs::temp_directory_path();
    for (;;) {
        fs::path candidate = base / ("kvt3310-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            m_path = candidate.string();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    // Windows refuses to delete read-only files, and tests leave some behind.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}
