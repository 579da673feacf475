#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/IFileSystem.h"

/// The files of the platform, except that a whole-file write to the one path set with `capture` is kept in
/// memory instead of reaching the disk: a command that prints a file to standard output writes nothing.
class CaptureFileSystem : public IFileSystem {
public:
    explicit CaptureFileSystem(IFileSystem& inner) : m_inner(inner) {}

    void capture(std::string path) { m_capturePath = std::move(path); }
    const std::optional<std::string>& captured() const { return m_captured; }

    std::string programFolder() const override { return m_inner.programFolder(); }
    char separator() const override { return m_inner.separator(); }
    bool exists(const std::string& path) const override { return m_inner.exists(path); }
    std::optional<std::string> readFile(const std::string& path) const override { return m_inner.readFile(path); }
    std::unique_ptr<IByteSource> openRead(const std::string& path) const override { return m_inner.openRead(path); }
    bool writeFileAtomic(const std::string& path, const std::string& content) override {
        if (m_capturePath && path == *m_capturePath) {
            m_captured = content;
            return true;
        }
        return m_inner.writeFileAtomic(path, content);
    }
    bool remove(const std::string& path) override { return m_inner.remove(path); }

private:
    IFileSystem& m_inner;
    std::optional<std::string> m_capturePath;
    std::optional<std::string> m_captured;
};
