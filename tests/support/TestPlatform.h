#pragma once

#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "platform/StdFileSystem.h"
#include "support/CoreFakes.h"

/// The platform's folder separator, as the program writes folder settings with it.
inline constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

/// A fresh temporary folder, removed with the object (read-only files in it too).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    /// The folder, without a trailing separator.
    const std::string& path() const { return m_path; }
    /// The folder with a trailing separator, as the program keeps its folder settings.
    std::string slashed() const { return m_path + kSeparator; }
    /// A path inside it.
    std::string file(const std::string& name) const { return slashed() + name; }

private:
    std::string m_path;
};

/// Every fake the core needs, with the program folder in a fresh temporary folder, and the `Platform`
/// that hands them to the code under test.
struct TestPlatform : CoreFakes {
    TempFolder folder;
    StdFileSystem fs{folder.path()};
    Platform platform = platformWith(fs, codec);
};
