#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/IMessageBox.h"

/// Message boxes with scripted answers. Every box shown is recorded. A box for which no answer was
/// scripted is answered OK when it has only an OK button; any other unscripted box fails the test.
class FakeMessageBox : public IMessageBox {
public:
    struct Shown {
        std::string text;
        int flags;
        std::string title;
    };

    int MsgBox(const std::string& text, int flags, const std::string& title) override;
    void Beep() override { ++beeps; }
    void setButtonTexts(const ButtonTexts& texts) override { buttonTexts = texts; }

    void answerNext(int result) { m_answers.push_back(result); }

    std::vector<Shown> shown;
    int beeps = 0;
    ButtonTexts buttonTexts;

private:
    std::deque<int> m_answers;
};
