#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/IFileDialogBackend.h"

/// File dialogs with scripted answers: `chooseNext(path)` or `cancelNext()`. Every request is recorded;
/// a dialog that nobody scripted fails the test and is cancelled.
class FakeFileDialog : public IFileDialogBackend {
public:
    std::optional<std::string> run(const FileDialogRequest& request) override;

    void chooseNext(std::string path) { m_answers.emplace_back(std::move(path)); }
    void cancelNext() { m_answers.emplace_back(std::nullopt); }

    std::vector<FileDialogRequest> requests;

private:
    std::deque<std::optional<std::string>> m_answers;
};
