#include "gui/win32/MenuBarView.h"

#include "gui/win32/MenuLetters.h"
#include "platform/win32/desktop/WideText.h"
#include "shell/MDIKVT3310.h"

MenuBarView::MenuBarView(HWND window, MDIKVT3310& mdi) : m_window(window), m_mdi(mdi) {
    ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'O', kOpenKey}, {FCONTROL | FVIRTKEY, 'S', kSaveKey}};
    m_accelerators = CreateAcceleratorTableW(keys, 2);
    followTree();
    m_portConnection = mdi.portItemsChanged.connect([this] {
        followTree();
        scheduleRebuild();
    });
    rebuild();
}

MenuBarView::~MenuBarView() {
    m_mdi.portItemsChanged.disconnect(m_portConnection);
    for (auto [item, id] : m_connections)
        item->changed().disconnect(id);
    DestroyAcceleratorTable(m_accelerators);
}

void MenuBarView::follow(MenuItem& item) {
    m_connections.emplace_back(&item, item.changed().connect([this] { scheduleRebuild(); }));
    for (MenuItem* child : item.items())
        follow(*child);
}

void MenuBarView::followTree() {
    for (auto [item, id] : m_connections)
        item->changed().disconnect(id);
    m_connections.clear();
    for (MenuItem* menu : m_mdi.menuBar())
        follow(*menu);
    for (auto& port : m_mdi.PortItems)
        follow(*port);
}

std::vector<MenuItem*> MenuBarView::itemsOf(const MenuItem& menu) const {
    std::vector<MenuItem*> items = menu.items();
    if (&menu == &m_mdi.Comport)
        for (auto& port : m_mdi.PortItems)
            items.push_back(port.get());
    return items;
}

void MenuBarView::scheduleRebuild() {
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    PostMessageW(m_window, kRebuildMessage, 0, 0);
}

void MenuBarView::setEnabled(bool enabled) {
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    scheduleRebuild();
}

void MenuBarView::menuLoop(bool open) {
    m_inMenuLoop = open;
    if (!open && m_rebuildPending)
        rebuild();
}

void MenuBarView::fillPopup(HMENU popup, const MenuItem& menu) {
    while (GetMenuItemCount(popup) > 0)
        DeleteMenu(popup, 0, MF_BYPOSITION);
    const std::vector<MenuItem*> items = itemsOf(menu);
    std::vector<std::wstring> captions;
    for (const MenuItem* item : items)
        captions.push_back(WideText::wide(item->caption()));
    const std::vector<std::wstring> texts = MenuLetters::assign(captions);
    for (std::size_t i = 0; i < items.size(); ++i) {
        MenuItem& item = *items[i];
        // The system's ports stand apart from the two numbered ones.
        if (&menu == &m_mdi.Comport && i == menu.items().size())
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        if (!item.visible())
            continue;
        std::wstring text = texts[i];
        if (&item == &m_mdi.Open)
            text += L"\tCtrl+O";
        if (&item == &m_mdi.Save)
            text += L"\tCtrl+S";
        UINT flags = MF_STRING | (item.enabled() ? MF_ENABLED : MF_GRAYED) | (item.checked() ? MF_CHECKED : 0);
        if (!item.items().empty() || &item == &m_mdi.Comport) {
            AppendMenuW(popup, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(buildPopup(item)), text.c_str());
            continue;
        }
        const int id = m_nextId++;
        m_ids[id] = &item;
        AppendMenuW(popup, flags, static_cast<UINT_PTR>(id), text.c_str());
    }
}

HMENU MenuBarView::buildPopup(const MenuItem& menu) {
    HMENU popup = CreatePopupMenu();
    m_popups[popup] = &menu;
    fillPopup(popup, menu);
    return popup;
}

void MenuBarView::rebuild() {
    if (m_inMenuLoop) {
        m_rebuildPending = true;
        return;
    }
    m_rebuildPending = false;
    m_ids.clear();
    m_popups.clear();
    m_nextId = kFirstId;
    HMENU bar = CreateMenu();
    std::vector<std::wstring> captions;
    for (const MenuItem* menu : m_mdi.menuBar())
        captions.push_back(WideText::wide(menu->caption()));
    const std::vector<std::wstring> texts = MenuLetters::assign(captions);
    for (std::size_t i = 0; i < m_mdi.menuBar().size(); ++i) {
        const MenuItem& menu = *m_mdi.menuBar()[i];
        if (!menu.visible())
            continue;
        AppendMenuW(bar, MF_STRING | MF_POPUP | (m_enabled && menu.enabled() ? MF_ENABLED : MF_GRAYED),
                    reinterpret_cast<UINT_PTR>(buildPopup(menu)), texts[i].c_str());
    }
    HMENU old = GetMenu(m_window);
    SetMenu(m_window, bar);
    if (old)
        DestroyMenu(old);
    DrawMenuBar(m_window);
}

bool MenuBarView::command(int id) {
    if (!m_enabled)
        return id == kOpenKey || id == kSaveKey || itemOf(id);
    if (id == kOpenKey || id == kSaveKey) {
        (id == kOpenKey ? m_mdi.Open : m_mdi.Save).click();
        return true;
    }
    MenuItem* item = itemOf(id);
    if (!item)
        return false;
    item->click();
    return true;
}

void MenuBarView::aboutToOpen(HMENU popup) {
    auto it = m_popups.find(popup);
    if (it == m_popups.end() || it->second != &m_mdi.Comport)
        return;
    // Looks at the system's ports again, so an adapter plugged in since shows.
    m_mdi.Comport.click();
    fillPopup(popup, m_mdi.Comport);
}

MenuItem* MenuBarView::itemOf(int id) const {
    auto it = m_ids.find(id);
    return it == m_ids.end() ? nullptr : it->second;
}

HMENU MenuBarView::popupOf(const MenuItem& item) const {
    for (const auto& [popup, menu] : m_popups)
        if (menu == &item)
            return popup;
    return nullptr;
}

void MenuBarView::rebuildIfPending() {
    if (m_rebuildPending)
        rebuild();
}
