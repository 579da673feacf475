#include "CommandContext.h"

#include "CommandLine.h"
#include "platform/StatusBar.h"
#include "shell/HeadlessEditor.h"
#include "unitlink/SerialLink.h"

std::unique_ptr<EditorSession> CommandContext::sessionWith(const std::string& configFile) {
    auto editor = session();
    if (!editor || !editor->editor().open(EditorSession::fullPath(configFile)))
        return nullptr;
    // The window's status line says it; here it goes where the other reports go.
    if (editor->editor().filesFoundBeside() > 0)
        err << editor->editor().statusBar().panelText(1) << "\n" << std::flush;
    return editor;
}

std::optional<LinkOptions> CommandContext::linkOptions(const std::string& command, const CommandLine& line) {
    if (!line.has("port") || line.value("port")->empty()) {
        usage(command, "the port is missing");
        return std::nullopt;
    }
    std::optional<long> timeout = 5000;
    if (auto text = line.value("timeout"))
        timeout = CommandLine::number(*text, 1, 32767);
    if (!timeout) {
        usage(command, "the time-out must be from 1 to 32767 ms");
        return std::nullopt;
    }
    return LinkOptions{*line.value("port"), static_cast<std::int16_t>(*timeout), line.value("trace").value_or("")};
}

void CommandContext::useLink(SerialLink& serial, const LinkOptions& link) {
    LinkSettings& settings = serial.settings;
    settings.Commport = 1;
    settings.Com1Device = link.port;
    // Opened by its name on every system, so that COM3 on Windows is COM3 and not port number 1.
    settings.PortName = link.port;
    settings.CommTimeOut = link.timeout;
    if (!link.trace.empty()) {
        // Said once on the error stream in place of the window's status line; the command goes on.
        serial.trace().writeFailed = [this](const std::string& file, const std::string& reason) {
            err << "kvt3310-cli: warning: the protocol trace cannot be written: " << file
                << (reason.empty() ? "" : ": " + reason) << "\n"
                << std::flush;
        };
        serial.trace().setFile(EditorSession::fullPath(link.trace));
        serial.trace().setEnabled(true);
    }
}
