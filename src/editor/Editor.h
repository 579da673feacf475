#pragma once

#include <memory>

#include "editor/Form1.h"

class ConfigFile;
class MessageSlots;
class Playback;
class SetPacker;
class TextPrintout;
class TriggerSequences;

/// The message-set editor: the form `Form1` and the handlers of its controls, wired to them and to each other.
/// The form holds the controls and the set; the handlers hold what the controls do.
class Editor {
public:
    Editor(Platform& platform, AppState& app);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Form1& form() { return m_form; }
    const Form1& form() const { return m_form; }
    /// `Bt_Browse_Click`, `WaveFile_Change`, `RefreshMessage`, `RebuildStepLists`.
    MessageSlots& slots() { return *m_slots; }
    /// `TRG1_Click` and the other step and zone handlers.
    TriggerSequences& triggers() { return *m_triggers; }
    /// `MsgBt_Click`, `TrgBt_Click` and the player's completion.
    Playback& playback() { return *m_playback; }
    /// `SaveConfig` and `OpenConfig`.
    ConfigFile& config() { return *m_config; }
    /// `PrintOutTxt`.
    TextPrintout& printout() { return *m_printout; }
    /// The set saved into a folder with copies of its wave files.
    SetPacker& packer() { return *m_packer; }

private:
    Form1 m_form;
    std::unique_ptr<TriggerSequences> m_triggers;
    std::unique_ptr<MessageSlots> m_slots;
    std::unique_ptr<Playback> m_playback;
    std::unique_ptr<ConfigFile> m_config;
    std::unique_ptr<TextPrintout> m_printout;
    std::unique_ptr<SetPacker> m_packer;
};
