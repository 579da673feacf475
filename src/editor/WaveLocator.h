#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/IFileSystem.h"

/// Finds a set's wave file when the path the set stores leads nowhere: the set was carried to another folder,
/// drive or PC together with its files. A file of the same name (the part of the stored path after its last "\"
/// or "/", whichever system wrote it) is looked for in the set's folder, then in the folders directly inside it;
/// in each folder the exact name first, then the name in other letter case (as Windows names are). The first
/// file that passes the header check with the stored size the set shows is the set's.
class WaveLocator {
public:
    enum class Where {
        AtPath,   ///< the stored path leads to a file
        Beside,   ///< a file of the name beside the set passes the checks
        Differs,  ///< files of the name lie beside the set, but none is the set's (another size, no valid WAVE)
        Missing,  ///< no file of the name anywhere the lookup goes
    };
    struct Found {
        Where where = Where::Missing;
        /// `AtPath`: the stored path; `Beside`: the file found; `Differs`: the first file of the name that was
        /// found; `Missing`: empty.
        std::string path;
        bool operator==(const Found&) const = default;
    };

    /// `setFolder`: the folder of the configuration file, with or without its trailing separator; empty when the
    /// set has no file yet, which leaves nothing to look in.
    WaveLocator(const IFileSystem& fs, const std::string& setFolder);

    /// Where the file of a slot is whose stored path is `storedPath` and stored size (`TMsgSize`) `tMsgSize` bytes.
    Found locate(const std::string& storedPath, std::int32_t tMsgSize) const;

    /// The name of the file a path names, on whatever system it was written: after its last "\" or "/".
    static std::string fileName(const std::string& path);
    /// The folder of a path, up to and including its last separator of this system or "/"; empty without one.
    static std::string folderOf(const std::string& path, char separator);

private:
    struct Listing {
        std::string folder;  ///< with its trailing separator
        std::vector<IFileSystem::Entry> entries;
    };
    /// The files of the name, in the order of the lookup.
    std::vector<std::string> candidates(const std::string& name) const;
    const std::vector<Listing>& listings() const;

    const IFileSystem& m_fs;
    std::string m_folder;
    /// Read once, at the first lookup that needs them.
    mutable std::optional<std::vector<Listing>> m_listings;
};
