#pragma once

#include <string>
#include <vector>

struct CommandContext;

/// `print SET.cfg [-o OUT.txt]`: the text printout of a configuration file, to a file or standard output.
class PrintCommand {
public:
    static const char* const kHelp;
    static int run(CommandContext& context, const std::vector<std::string>& words);
};
