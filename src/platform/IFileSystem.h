#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

/// A file opened for reading bytes in order.
class IByteSource {
public:
    virtual ~IByteSource() = default;
    /// Reads up to `size` bytes; returns how many were read (0 at the end or on an error).
    virtual std::size_t read(std::uint8_t* buffer, std::size_t size) = 0;
    virtual std::uint64_t size() const = 0;
};

/// Files and folders. Paths are the platform's, in UTF-8.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    /// The folder of the running program file, without a trailing separator.
    virtual std::string programFolder() const = 0;
    /// The platform's folder separator ("\" on Windows, "/" elsewhere).
    virtual char separator() const = 0;
    virtual bool exists(const std::string& path) const = 0;
    /// The whole content, or nothing when the file cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path) const = 0;
    virtual std::unique_ptr<IByteSource> openRead(const std::string& path) const = 0;
    /// Replaces the file as a whole: the content goes to a temporary file beside it, is flushed, and the
    /// temporary file then takes the file's place. On failure the old file is as it was.
    virtual bool writeFileAtomic(const std::string& path, const std::string& content) = 0;
    virtual bool remove(const std::string& path) = 0;
    /// Adds the content at the end of the file, creating it when missing (for a running log, where rewriting
    /// the whole file at each line would not do).
    virtual bool appendFile(const std::string& path, const std::string& content) = 0;
    /// The file's size in bytes, or nothing when there is no such file.
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) const = 0;
    /// Gives the file another name, replacing a file of that name.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    /// One name in a folder.
    struct Entry {
        std::string name;
        bool folder = false;
        bool operator==(const Entry&) const = default;
    };
    /// The files and folders directly in `folder`, sorted by name; nothing when it cannot be read. A symbolic link
    /// counts as what it leads to.
    virtual std::vector<Entry> list(const std::string& folder) const = 0;
    /// Creates the folder `path` (its parent must exist); true when it is there afterwards.
    virtual bool makeFolder(const std::string& path) = 0;
    /// Why the last `readFile`, `openRead`, `writeFileAtomic`, `appendFile` or `makeFolder` failed, in the system's
    /// words
    /// ("Permission denied", "No space left on device"); empty after one that succeeded or when the system gave
    /// no reason.
    virtual std::string lastError() const = 0;
};
