// The main window's menus come from the model's menu tree, with a letter of their own, the shortcuts and the
// system's ports.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "WindowFixture.h"
#include "gui/win32/MenuBarView.h"
#include "gui/win32/MenuLetters.h"
#include "shell/MDIKVT3310.h"

namespace {

std::vector<std::wstring> texts(HMENU menu) {
    std::vector<std::wstring> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR)
            continue;
        out.emplace_back(text);
    }
    return out;
}

std::wstring plain(std::wstring text) {
    std::erase(text, L'&');
    return text;
}

/// Each text of a menu marks a letter, and no two the same.
void expectOwnLetters(HMENU menu) {
    std::set<wchar_t> letters;
    for (const std::wstring& text : texts(menu)) {
        const wchar_t letter = MenuLetters::letterOf(text);
        EXPECT_NE(letter, 0) << "no letter: " << std::string(text.begin(), text.end());
        EXPECT_TRUE(letters.insert(letter).second) << "letter taken twice in the menu";
    }
}

}  // namespace

TEST(MenuBarView, menus_mirrorTheModelsTreeWithLettersInEveryLanguage) {
    WindowFixture f;
    for (int language = 0; language < MDIKVT3310::kLanguages; ++language) {
        f.mdi().LngSel[static_cast<std::size_t>(language)].click();
        f.pump();
        HMENU bar = GetMenu(f.main->window());
        ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(f.mdi().menuBar().size()));
        expectOwnLetters(bar);
        for (int m = 0; m < GetMenuItemCount(bar); ++m) {
            const MenuItem& model = *f.mdi().menuBar()[static_cast<std::size_t>(m)];
            HMENU popup = GetSubMenu(bar, m);
            const auto visible = std::count_if(model.items().begin(), model.items().end(),
                                               [](const MenuItem* item) { return item->visible(); });
            EXPECT_EQ(static_cast<long>(texts(popup).size()), visible);
            expectOwnLetters(popup);
        }
    }
}

TEST(MenuBarView, anItemAddedToTheModel_showsWithoutChangesToTheView) {
    WindowFixture f;
    MenuItem added;
    added.setCaption("Zone check");
    int clicked = 0;
    added.Click = [&] { ++clicked; };
    const std::vector<MenuItem*> before = f.mdi().File.items();
    std::vector<MenuItem*> items = before;
    items.insert(items.end() - 1, &added);
    f.mdi().File.setItems(items);
    f.main->menus().rebuild();

    HMENU file = GetSubMenu(GetMenu(f.main->window()), 0);
    const auto shown = texts(file);
    ASSERT_EQ(shown.size(), items.size());
    EXPECT_EQ(shown[shown.size() - 2], L"&Zone check");
    const auto id = static_cast<int>(GetMenuItemID(file, static_cast<int>(shown.size()) - 2));
    SendMessageW(f.main->window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(clicked, 1);
    f.mdi().File.setItems(before);
}

TEST(MenuBarView, ctrlOAndCtrlS_openAndSave) {
    WindowFixture f;
    int opened = 0, saved = 0;
    f.mdi().Open.Click = [&] { ++opened; };
    f.mdi().Save.Click = [&] { ++saved; };
    HMENU file = GetSubMenu(GetMenu(f.main->window()), 0);
    EXPECT_NE(texts(file)[0].find(L"\tCtrl+O"), std::wstring::npos);
    EXPECT_NE(texts(file)[1].find(L"\tCtrl+S"), std::wstring::npos);
    for (WPARAM key : {WPARAM('O'), WPARAM('S')}) {
        MSG message{f.main->window(), WM_KEYDOWN, key, 0, 0, {}};
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        EXPECT_TRUE(f.main->translate(message));
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    f.pump();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(saved, 1);
}

TEST(MenuBarView, portSubmenu_listsTheSystemsPortsAsItOpens) {
    WindowFixture f;
    f.test.ports.ports = {{"COM5", "USB serial", "maker"}, {"COM7", "", ""}};
    HMENU setup = GetSubMenu(GetMenu(f.main->window()), 1);
    HMENU comport = GetSubMenu(setup, 0);
    SendMessageW(f.main->window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(comport), 0);
    const auto shown = texts(comport);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(GetMenuItemCount(comport), static_cast<int>(shown.size()) + 1) << "a separator before the ports";
    EXPECT_NE(plain(shown[2]).find(L"COM5"), std::wstring::npos);
    EXPECT_NE(plain(shown[3]).find(L"COM7"), std::wstring::npos);
}
