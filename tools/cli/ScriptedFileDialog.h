#pragma once

#include <optional>
#include <string>

#include "platform/IFileDialogBackend.h"

/// The file dialog of a program without a window: it answers with the path given on the command line, once.
/// A dialog that comes without an answer prepared is cancelled.
class ScriptedFileDialog : public IFileDialogBackend {
public:
    void answerNext(std::string path) { m_next = std::move(path); }
    std::optional<std::string> run(const FileDialogRequest&) override {
        auto answer = std::move(m_next);
        m_next.reset();
        return answer;
    }

private:
    std::optional<std::string> m_next;
};
