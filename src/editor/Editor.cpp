#include "editor/Editor.h"

#include "editor/ConfigFile.h"
#include "editor/MessageSlots.h"
#include "editor/Playback.h"
#include "editor/SetPacker.h"
#include "editor/TextPrintout.h"
#include "editor/TriggerSequences.h"

Editor::Editor(Platform& platform, AppState& app)
    : m_form(platform, app),
      m_triggers(std::make_unique<TriggerSequences>(m_form)),
      m_slots(std::make_unique<MessageSlots>(m_form, *m_triggers)),
      m_playback(std::make_unique<Playback>(m_form, *m_slots)),
      m_config(std::make_unique<ConfigFile>(m_form)),
      m_printout(std::make_unique<TextPrintout>(m_form)),
      m_packer(std::make_unique<SetPacker>(m_form, *m_config)) {}

Editor::~Editor() = default;
