#pragma once

#include <string>
#include <vector>

struct CommandContext;

/// `read-tables --port DEVICE`: the unit's message and trigger tables, read back and decoded.
class ReadTablesCommand {
public:
    static const char* const kHelp;
    static int run(CommandContext& context, const std::vector<std::string>& words);
};
