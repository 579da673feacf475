#pragma once

#include <string>
#include <system_error>

#include "platform/IFileSystem.h"

/// Files through the standard library. The program folder is given, as only the platform knows it.
class StdFileSystem : public IFileSystem {
public:
    explicit StdFileSystem(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

    std::string programFolder() const override { return m_programFolder; }
    char separator() const override;
    bool exists(const std::string& path) const override;
    std::optional<std::string> readFile(const std::string& path) const override;
    std::unique_ptr<IByteSource> openRead(const std::string& path) const override;
    bool writeFileAtomic(const std::string& path, const std::string& content) override;
    bool remove(const std::string& path) override;
    bool appendFile(const std::string& path, const std::string& content) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    bool rename(const std::string& from, const std::string& to) override;
    std::vector<Entry> list(const std::string& folder) const override;
    bool makeFolder(const std::string& path) override;
    std::string lastError() const override { return m_lastError; }

private:
    /// Keeps the reason of `error` (nothing for none) and returns `result`.
    template <typename T>
    T failed(T result, const std::error_code& error) const;

    std::string m_programFolder;
    // The reads are const for their callers; the reason of their failure is still worth keeping.
    mutable std::string m_lastError;
};
