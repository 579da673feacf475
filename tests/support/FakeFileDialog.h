#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/IFileDialogBackend.h"

/// File dialogs with scripted answers: `chooseNext(path)` or `cancelNext()`. Every request is recorded;
/// a dialog that nobody scripted fails the test and is cancelled. `confirms`: the dialog says it asked itself
/// before returning an existing file, as a system dialog does when asked to.
class FakeFileDialog : public IFileDialogBackend {
public:
    std::optional<std::string> run(const FileDialogRequest& request) override;
    bool confirmsOverwrite() const override { return confirms; }

    void chooseNext(std::string path) { m_answers.emplace_back(std::move(path)); }
    void cancelNext() { m_answers.emplace_back(std::nullopt); }

    std::vector<FileDialogRequest> requests;
    bool confirms = false;

private:
    std::deque<std::optional<std::string>> m_answers;
};
