#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/IFileSystem.h"

/// Files held in memory, for fuzz runs that open and save many thousand files a second.
/// - The program folder is "/prog"; the separator "/".
/// - `readChunk`: when not 0, a file opened with `openRead` gives at most that many bytes per read, as a
///   slow device or pipe would.
class MemoryFileSystem : public IFileSystem {
public:
    std::string programFolder() const override { return "/prog"; }
    char separator() const override { return '/'; }
    bool exists(const std::string& path) const override { return m_files.count(path) != 0; }
    std::optional<std::string> readFile(const std::string& path) const override;
    std::unique_ptr<IByteSource> openRead(const std::string& path) const override;
    bool writeFileAtomic(const std::string& path, const std::string& content) override;
    bool remove(const std::string& path) override { return m_files.erase(path) != 0; }
    bool appendFile(const std::string& path, const std::string& content) override {
        m_files[path] += content;
        return true;
    }
    std::optional<std::uint64_t> fileSize(const std::string& path) const override {
        auto it = m_files.find(path);
        return it == m_files.end() ? std::nullopt : std::optional<std::uint64_t>(it->second.size());
    }
    bool rename(const std::string& from, const std::string& to) override {
        auto it = m_files.find(from);
        if (it == m_files.end())
            return false;
        m_files[to] = it->second;
        m_files.erase(from);
        return true;
    }
    /// The files directly in `folder`; a folder holds no other folder here.
    std::vector<Entry> list(const std::string& folder) const override;
    bool makeFolder(const std::string&) override { return false; }
    /// Files in memory fail only where they are missing, for which no system gives a reason here.
    std::string lastError() const override { return {}; }

    void put(const std::string& path, std::string content) { m_files[path] = std::move(content); }

    std::size_t readChunk = 0;

private:
    std::map<std::string, std::string> m_files;
};
