#pragma once

#include <optional>
#include <string>
#include <vector>

class EditorSession;
struct CommandContext;

/// `info FILE.wav...`: the editor's check of each file and, when it takes it, the values it shows.
class InfoCommand {
public:
    static const char* const kHelp;
    static int run(CommandContext& context, const std::vector<std::string>& words);

    /// Chooses `path` for slot `i` through the slot's Browse button, as a user would. Nothing when the editor
    /// took the file; otherwise why not: the text the editor showed, or a description where it shows none.
    static std::optional<std::string> choose(EditorSession& session, int i, const std::string& path);
};
