#pragma once

#include <filesystem>
#include <string>

/// Paths inside the program are UTF-8. A plain std::string path means the ANSI code page on Windows, so every
/// conversion to and from std::filesystem goes through these.
inline std::filesystem::path utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8String(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
