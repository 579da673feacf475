#pragma once

#include <string>

#include "platform/IWindowSearch.h"

class ITextCodec;

/// Finds the main window of a running copy by its window class and caption, and raises it. Every copy's main
/// window has the class `kWindowClass`; a caption is compared as the instance marker gives it back, through
/// the code page, so a caption with letters the code page lacks still matches.
class Win32WindowSearch : public IWindowSearch {
public:
    static constexpr const wchar_t* kWindowClass = L"KVT3310Window";

    explicit Win32WindowSearch(const ITextCodec& codec) : m_codec(codec) {}

    Handle FindWindowA(const std::string& windowClass, const std::string& caption) override;
    void ShowWindow(Handle window, int command) override;
    void publish(const std::string& windowClass, std::function<std::string()> caption,
                 std::function<void()> show) override;

    /// What `publish` was given: the main window raises itself through it when asked.
    void raise() const {
        if (m_show)
            m_show();
    }

private:
    const ITextCodec& m_codec;
    std::function<std::string()> m_caption;
    std::function<void()> m_show;
};
