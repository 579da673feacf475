#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

class MDIKVT3310;
class MenuItem;

/// The main window's menu bar, built from the menu tree of `MDIKVT3310` (`menuBar`, `MenuItem::items`), so an
/// item added to the model shows without a change here. It mirrors captions (with a letter of their own in
/// each menu), check marks, enabled and visible states; a chosen command clicks its item. Open and Save
/// answer Ctrl+O and Ctrl+S. The port submenu asks the model for the system's ports each time it opens and
/// lists them below Com2.
class MenuBarView {
public:
    /// Command ids of the shortcuts; menu items take ids from `kFirstId` on.
    static constexpr int kOpenKey = 100, kSaveKey = 101, kFirstId = 200;
    /// Posted to the window when the bar must be built again; the window answers with `rebuildIfPending`.
    static constexpr UINT kRebuildMessage = WM_APP + 2;

    MenuBarView(HWND window, MDIKVT3310& mdi);
    ~MenuBarView();
    MenuBarView(const MenuBarView&) = delete;
    MenuBarView& operator=(const MenuBarView&) = delete;

    HACCEL accelerators() const { return m_accelerators; }
    /// A menu command or shortcut (WM_COMMAND without a control); false for another id.
    bool command(int id);
    /// A menu about to open (WM_INITMENUPOPUP).
    void aboutToOpen(HMENU popup);
    /// The whole bar grayed, its commands and shortcuts ignored, while the window's content is disabled.
    void setEnabled(bool enabled);
    /// A menu loop begins or ends: the bar is never rebuilt under an open menu.
    void menuLoop(bool open);
    /// Builds the bar again from the model, once the changes of the moment are done.
    void rebuild();
    void rebuildIfPending();
    /// The item of a command id, or null.
    MenuItem* itemOf(int id) const;
    /// The pop-up menu showing `item`, or null.
    HMENU popupOf(const MenuItem& item) const;

private:
    void follow(MenuItem& item);
    void followTree();
    HMENU buildPopup(const MenuItem& menu);
    void fillPopup(HMENU popup, const MenuItem& menu);
    std::vector<MenuItem*> itemsOf(const MenuItem& menu) const;
    void scheduleRebuild();

    HWND m_window;
    MDIKVT3310& m_mdi;
    HACCEL m_accelerators = nullptr;
    std::map<int, MenuItem*> m_ids;
    std::map<HMENU, const MenuItem*> m_popups;
    std::vector<std::pair<MenuItem*, int>> m_connections;
    int m_portConnection = 0;
    int m_nextId = kFirstId;
    bool m_inMenuLoop = false;
    bool m_rebuildPending = false;
    bool m_enabled = true;
};
