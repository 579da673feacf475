#pragma once

#include <functional>
#include <string>

#include "platform/IScreen.h"
#include "platform/ITextViewer.h"
#include "platform/IWindowSearch.h"

/// A program without windows is never found by another copy and finds none.
class NoWindowSearch : public IWindowSearch {
public:
    Handle FindWindowA(const std::string&, const std::string&) override { return 0; }
    void ShowWindow(Handle, int) override {}
    void publish(const std::string&, std::function<std::string()>, std::function<void()>) override {}
};

/// No text editor is started; the file written is the result.
class NoTextViewer : public ITextViewer {
public:
    bool view(const std::string&) override { return false; }
};

/// A screen nobody looks at: the pointer is only remembered.
class HeadlessScreen : public IScreen {
public:
    int logPixelsX() const override { return 96; }
    void setMousePointer(int pointer) override { m_pointer = pointer; }
    int mousePointer() const override { return m_pointer; }

private:
    int m_pointer = vbDefault;
};
