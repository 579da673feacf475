#include "shell/UnitBackup.h"

#include <cstdio>

#include "editor/ConfigFile.h"
#include "editor/Editor.h"
#include "editor/MessageSlots.h"
#include "platform/Platform.h"
#include "platform/null/NullSerialPort.h"
#include "platform/null/NullWavPlayer.h"
#include "settings/AppState.h"
#include "unitlink/UnitReadBack.h"

std::string UnitBackup::waveName(int slot) {
    char name[32];
    std::snprintf(name, sizeof name, "message%02d.wav", slot);
    return name;
}

std::string UnitBackup::inFolder(const std::string& folder, const std::string& name) const {
    const char separator = m_platform.fs.separator();
    if (folder.empty() || folder.back() == separator)
        return folder + name;
    return folder + separator + name;
}

std::vector<std::string> UnitBackup::existingFiles(const std::string& folder) const {
    std::vector<std::string> names;
    for (int i = 1; i <= TableBlocks::kSlots; ++i)
        if (m_platform.fs.exists(inFolder(folder, waveName(i))))
            names.push_back(waveName(i));
    if (m_platform.fs.exists(inFolder(folder, kConfigName)))
        names.push_back(kConfigName);
    return names;
}

UnitBackup::Result UnitBackup::run(const std::string& folder) {
    Result result;
    result.outcome = m_readBack.read();
    result.contents = m_readBack.contents();
    // Stopped by the user, who was told that nothing would be written.
    if (result.outcome.result != ReadBackOutcome::Result::Stopped)
        write(folder, result.contents, result.outcome.succeeded(), result);
    return result;
}

void UnitBackup::write(const std::string& folder, const UnitContents& contents, bool withConfig, Result& result) {
    for (const RecoveredMessage& message : contents.messages) {
        if (message.file.empty())
            continue;
        const std::string path = inFolder(folder, waveName(message.slot));
        if (!m_platform.fs.writeFileAtomic(path, std::string(message.file.begin(), message.file.end()))) {
            result.failedFile = path;
            result.reason = m_platform.fs.lastError();
            return;
        }
        result.written.push_back(path);
    }
    if (withConfig)
        writeConfig(folder, contents, result);
}

bool UnitBackup::writeConfig(const std::string& folder, const UnitContents& contents, Result& result) {
    // An editor of its own, with a player and a port of its own: the one on the screen keeps its set, its
    // player and its connection until the new file is opened in it.
    NullWavPlayer player;
    NullSerialPort serial;
    Platform& p = m_platform;
    Platform platform{p.fs,    p.codec,   p.msgBox, p.fileDialog, serial,  player,     p.events,
                      p.clock, p.windows, p.viewer, p.screen,     p.ports, p.converter};
    AppState app = m_app;
    Editor editor(platform, app);
    Form1& form = editor.form();
    form.Form_Load();
    editor.slots().OfferCopies = false;
    for (const RecoveredMessage& message : contents.messages)
        if (!message.file.empty())
            editor.slots().take(message.slot, inFolder(folder, waveName(message.slot)));
    const TableBlocks::TriggerTable& triggers = contents.triggerTable;
    for (int j = 1; j <= TableBlocks::kTriggers * TableBlocks::kSteps; ++j) {
        ComboBox& list = form.TRG1[j];
        const std::string entry = std::to_string(triggers.steps[j]);
        for (int e = 0; triggers.steps[j] != 0 && e < list.listCount(); ++e) {
            if (list.list()[static_cast<std::size_t>(e)] != entry)
                continue;
            list.dropDown();
            list.pick(e);
            break;
        }
    }
    for (int z = 1; z <= TableBlocks::kTriggers * TableBlocks::kZones; ++z)
        form.Check1[z].setValue(triggers.zones[z] ? 1 : 0);
    const std::string path = inFolder(folder, kConfigName);
    if (!editor.config().SaveConfig(path)) {
        result.failedFile = path;
        result.reason = m_platform.fs.lastError();
        return false;
    }
    result.written.push_back(path);
    result.config = path;
    return true;
}
