#include "support/FakeFileDialog.h"

#include <gtest/gtest.h>

std::optional<std::string> FakeFileDialog::run(const FileDialogRequest& request) {
    requests.push_back(request);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.filter;
        return std::nullopt;
    }
    auto answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
