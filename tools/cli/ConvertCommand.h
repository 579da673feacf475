#pragma once

#include <string>
#include <vector>

struct CommandContext;

/// `convert IN -o OUT.wav [--rate HZ]`: a copy of any sound file in the one form the unit plays.
class ConvertCommand {
public:
    static const char* const kHelp;
    static int run(CommandContext& context, const std::vector<std::string>& words);
};
