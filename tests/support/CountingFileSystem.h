#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/IFileSystem.h"

/// The files of another file system, counting what the code under test reads: the bytes handed out by
/// `openRead` sources and the whole-file reads. Shows whether a reader stops early.
class CountingFileSystem : public IFileSystem {
public:
    explicit CountingFileSystem(IFileSystem& files) : m_files(files) {}

    std::string programFolder() const override { return m_files.programFolder(); }
    char separator() const override { return m_files.separator(); }
    bool exists(const std::string& path) const override { return m_files.exists(path); }
    std::optional<std::string> readFile(const std::string& path) const override;
    std::unique_ptr<IByteSource> openRead(const std::string& path) const override;
    bool writeFileAtomic(const std::string& path, const std::string& content) override {
        return m_files.writeFileAtomic(path, content);
    }
    bool remove(const std::string& path) override { return m_files.remove(path); }
    bool appendFile(const std::string& path, const std::string& content) override {
        return m_files.appendFile(path, content);
    }
    std::optional<std::uint64_t> fileSize(const std::string& path) const override { return m_files.fileSize(path); }
    bool rename(const std::string& from, const std::string& to) override { return m_files.rename(from, to); }
    std::vector<Entry> list(const std::string& folder) const override { return m_files.list(folder); }
    bool makeFolder(const std::string& path) override { return m_files.makeFolder(path); }
    std::string lastError() const override { return m_files.lastError(); }

    /// Bytes read through `openRead` and `readFile` since the last `reset`.
    std::uint64_t bytesRead() const { return *m_bytes; }
    void reset() { *m_bytes = 0; }

private:
    IFileSystem& m_files;
    std::shared_ptr<std::uint64_t> m_bytes = std::make_shared<std::uint64_t>(0);
};

/// Writes `count` copies of `pattern` to `path` in large blocks, for files too big to build in memory.
void writeRepeated(const std::string& path, const std::string& pattern, std::uint64_t count);

/// A file of `copies` copies of `pattern`, named for the test's trace.
struct RepeatedFile {
    const char* name;
    std::string pattern;
    std::uint64_t copies;
};
