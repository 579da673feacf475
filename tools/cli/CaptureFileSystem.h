#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/IFileSystem.h"

/// The files of the platform, except that whole-file writes to the paths set with `capture` are kept in
/// memory instead of reaching the disk: a command that prints a file to standard output writes nothing, and
/// the window program's instance marker is never touched.
class CaptureFileSystem : public IFileSystem {
public:
    explicit CaptureFileSystem(IFileSystem& inner) : m_inner(inner) {}

    void capture(const std::string& path) { m_captured.try_emplace(path); }
    /// The last content written to a captured path, if any was.
    std::optional<std::string> captured(const std::string& path) const {
        auto it = m_captured.find(path);
        return it == m_captured.end() ? std::nullopt : it->second;
    }

    std::string programFolder() const override { return m_inner.programFolder(); }
    char separator() const override { return m_inner.separator(); }
    bool exists(const std::string& path) const override { return m_inner.exists(path); }
    std::optional<std::string> readFile(const std::string& path) const override { return m_inner.readFile(path); }
    std::unique_ptr<IByteSource> openRead(const std::string& path) const override { return m_inner.openRead(path); }
    bool writeFileAtomic(const std::string& path, const std::string& content) override {
        auto it = m_captured.find(path);
        if (it == m_captured.end())
            return m_inner.writeFileAtomic(path, content);
        it->second = content;
        return true;
    }
    bool remove(const std::string& path) override {
        if (m_captured.count(path))
            return false;
        return m_inner.remove(path);
    }

    bool appendFile(const std::string& path, const std::string& content) override {
        return m_inner.appendFile(path, content);
    }
    std::optional<std::uint64_t> fileSize(const std::string& path) const override { return m_inner.fileSize(path); }
    bool rename(const std::string& from, const std::string& to) override { return m_inner.rename(from, to); }
    std::vector<Entry> list(const std::string& folder) const override { return m_inner.list(folder); }
    bool makeFolder(const std::string& path) override { return m_inner.makeFolder(path); }
    std::string lastError() const override { return m_inner.lastError(); }

private:
    IFileSystem& m_inner;
    std::map<std::string, std::optional<std::string>> m_captured;
};
