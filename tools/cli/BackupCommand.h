#pragma once

#include <string>
#include <vector>

struct CommandContext;

/// `backup --port DEVICE -o FOLDER` reads the unit back into a folder; `backup --port DEVICE --verify SET.cfg`
/// compares the unit with a set on disk instead.
class BackupCommand {
public:
    static const char* const kHelp;
    static int run(CommandContext& context, const std::vector<std::string>& words);
};
