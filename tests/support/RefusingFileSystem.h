#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/IFileSystem.h"

/// The files of another file system, except that whole-file and appended writes to a path in `folder` fail with
/// `reason` as the system's words, as a read-only folder or a full disk refuses them even to a test run by the
/// superuser. Everything else passes through.
class RefusingFileSystem : public IFileSystem {
public:
    RefusingFileSystem(IFileSystem& files, std::string folder, std::string reason)
        : m_files(files), m_folder(std::move(folder) + files.separator()), m_reason(std::move(reason)) {}

    std::string programFolder() const override { return m_files.programFolder(); }
    char separator() const override { return m_files.separator(); }
    bool exists(const std::string& path) const override { return m_files.exists(path); }
    std::optional<std::string> readFile(const std::string& path) const override {
        m_refused = false;
        return m_files.readFile(path);
    }
    std::unique_ptr<IByteSource> openRead(const std::string& path) const override {
        m_refused = false;
        return m_files.openRead(path);
    }
    bool writeFileAtomic(const std::string& path, const std::string& content) override {
        return !refuses(path) && m_files.writeFileAtomic(path, content);
    }
    bool remove(const std::string& path) override { return m_files.remove(path); }
    bool appendFile(const std::string& path, const std::string& content) override {
        return !refuses(path) && m_files.appendFile(path, content);
    }
    std::optional<std::uint64_t> fileSize(const std::string& path) const override { return m_files.fileSize(path); }
    bool rename(const std::string& from, const std::string& to) override { return m_files.rename(from, to); }
    std::string lastError() const override { return m_refused ? m_reason : m_files.lastError(); }

private:
    bool refuses(const std::string& path) {
        m_refused = path.compare(0, m_folder.size(), m_folder) == 0;
        return m_refused;
    }

    IFileSystem& m_files;
    std::string m_folder;
    std::string m_reason;
    mutable bool m_refused = false;
};
