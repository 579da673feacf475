#pragma once

#include <string>
#include <vector>

struct CommandContext;

/// `pack SET.cfg -o FOLDER`: the set saved into a folder with copies of its wave files, as the editor's
/// "Save as with its files…" does.
class PackCommand {
public:
    static const char* const kHelp;
    static int run(CommandContext& context, const std::vector<std::string>& words);
};
