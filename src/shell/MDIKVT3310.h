#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Control.h"
#include "platform/MenuItem.h"

/// The main window: an MDI frame holding the editor, with the program's menu bar. A presentation model:
/// the menu items are plain objects, their handlers are wired by the application.
class MDIKVT3310 : public Control {
public:
    static constexpr const char* kWindowClass = "ThunderRT6MDIForm";
    static constexpr int kLanguages = 11;

    MDIKVT3310();

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

    /// The close request, from the Exit command or the window's close box. Returns true when the close goes
    /// ahead; `QueryUnload` decides.
    bool requestClose();
    std::function<bool()> QueryUnload;
    /// Runs once the close has gone ahead, to take the windows down.
    std::function<void()> Unload;

    /// The menus of the menu bar, in their order; each lists its items (`MenuItem::items`). The port submenu
    /// lists `Com1` and `Com2`; `PortItems` follow them.
    const std::vector<MenuItem*>& menuBar() const { return m_menuBar; }

    // Menu tree, in the order of the menus.
    MenuItem File, Open, Save, Save_as, Save_as_text_file;
    /// The set saved into a folder together with copies of its wave files, so that the folder travels whole.
    MenuItem Save_as_with_its_files;
    MenuItem Read_from_unit, Exit;
    MenuItem Setup, Comport, Com1, Com2, Language;
    /// The serial ports the system reports, listed below `Com2`. `Comport.Click` runs as that submenu opens,
    /// so that the list is fresh each time it is shown.
    std::vector<std::unique_ptr<MenuItem>> PortItems;
    /// `PortItems` has been replaced.
    Signal<> portItemsChanged;
    std::array<MenuItem, kLanguages> LngSel;
    MenuItem other;
    /// Check item of the Setup menu: the protocol trace for support.
    MenuItem Trace;
    MenuItem Help, Instructions_for_use, Contacts, About_Tavro_message_manager;

    /// Removes the check mark from `LngSel` 0 to 10 and from `other`.
    void UncheckLanguages();
    /// Checks the language item matching a language file name ("de.lng" checks `LngSel` 3; an empty name
    /// checks `LngSel` 0; any other name, also one without ".", checks `other`). Other marks stay.
    void LngSelect(std::string name);

private:
    std::string m_caption;
    std::vector<MenuItem*> m_menuBar;
};
