#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/IScreen.h"
#include "platform/ITextCodec.h"
#include "platform/ITextViewer.h"
#include "platform/IWindowSearch.h"

/// Windows of other running copies: `windows` maps class + "|" + caption to a handle; `shown` records
/// ShowWindow calls; `published` holds what this program made findable.
class FakeWindowSearch : public IWindowSearch {
public:
    Handle FindWindowA(const std::string& windowClass, const std::string& caption) override {
        searches.push_back(windowClass + "|" + caption);
        auto it = windows.find(windowClass + "|" + caption);
        return it == windows.end() ? 0 : it->second;
    }
    void ShowWindow(Handle window, int command) override { shown.emplace_back(window, command); }
    void publish(const std::string& windowClass, std::function<std::string()> caption,
                 std::function<void()> show) override {
        publishedClass = windowClass;
        publishedCaption = std::move(caption);
        publishedShow = std::move(show);
    }

    std::map<std::string, Handle> windows;
    std::vector<std::string> searches;
    std::vector<std::pair<Handle, int>> shown;
    std::string publishedClass;
    std::function<std::string()> publishedCaption;
    std::function<void()> publishedShow;
};

/// Records the files opened for viewing.
class FakeTextViewer : public ITextViewer {
public:
    bool view(const std::string& path) override {
        viewed.push_back(path);
        return true;
    }
    std::vector<std::string> viewed;
};

/// A screen of `dpi` dots per inch.
class FakeScreen : public IScreen {
public:
    int logPixelsX() const override { return dpi; }
    void setMousePointer(int pointer) override { m_pointer = pointer; }
    int mousePointer() const override { return m_pointer; }
    int dpi = 96;

private:
    int m_pointer = vbDefault;
};

/// The code page ISO 8859-1, enough for tests: byte n is code point n.
class Latin1Codec : public ITextCodec {
public:
    std::string toUtf8(std::string_view bytes) const override;
    std::string fromUtf8(std::string_view text) const override;
};
