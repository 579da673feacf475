// Every control of the editor lies whole inside the window, its text uncut, in each language at 96 and 144
// dots per inch.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "WindowFixture.h"
#include "gui/win32/ControlViews.h"
#include "gui/win32/FormGrid.h"
#include "shell/MDIKVT3310.h"

namespace {

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

/// A button's caption without the "&" of its letter.
std::wstring shown(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != L'&' || (i > 0 && text[i - 1] == L'&'))
            out.push_back(text[i]);
    return out;
}

void expectFits(const WindowFixture& f, const std::string& where) {
    HWND page = f.main->editor().page();
    RECT pageRect{}, client{};
    GetClientRect(page, &pageRect);
    for (const auto& [name, window] : f.main->editor().views().windows()) {
        if (!IsWindowVisible(window))
            continue;
        RECT rect{};
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= pageRect.right &&
                    rect.bottom <= pageRect.bottom + 400)
            << where << ": " << name << " outside the form";
        GetClientRect(window, &client);
        const std::wstring text = shown(WindowFixture::text(window));
        wchar_t windowClass[32] = {};
        GetClassNameW(window, windowClass, 32);
        const bool combo = std::wstring(windowClass) == L"ComboBox";
        const bool edit = std::wstring(windowClass) == L"Edit";
        if (!text.empty() && !combo && !edit) {
            EXPECT_LE(FormGrid::textWidth(window, text), client.right) << where << ": " << name << " cut";
        }
    }
    // The whole form shows: the window took its size, and nothing scrolls.
    RECT frame{};
    GetClientRect(f.main->editor().window(), &frame);
    RECT status{};
    GetWindowRect(f.main->editor().statusBar(), &status);
    EXPECT_GE(frame.right, pageRect.right) << where << ": the form is wider than the window";
    EXPECT_GE(frame.bottom - (status.bottom - status.top), pageRect.bottom) << where << ": the form is taller";
}

}  // namespace

class WindowFit : public testing::TestWithParam<int> {};

TEST_P(WindowFit, everyLanguage_showsEveryControlWhole) {
    WindowFixture f(GetParam());
    for (int language = 0; language < MDIKVT3310::kLanguages; ++language) {
        f.mdi().LngSel[static_cast<std::size_t>(language)].click();
        f.pump();
        expectFits(f, narrow(WindowFixture::text(f.main->window())) + " language " + std::to_string(language) + " at " +
                          std::to_string(GetParam()) + " dpi");
    }
}

INSTANTIATE_TEST_SUITE_P(Resolutions, WindowFit, testing::Values(96, 144));
