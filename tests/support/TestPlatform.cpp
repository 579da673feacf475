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
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

TestPlatform::TestPlatform()
    : fs(folder.path()), platform{fs,    codec,   msgBox, fileDialog, serial, player,   events,
                                  clock, windows, viewer, screen,     ports,  converter} {}
