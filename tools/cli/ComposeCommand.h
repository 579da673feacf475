#pragma once

#include <string>
#include <vector>

struct CommandContext;

/// `compose -o SET.cfg [--message N=FILE.wav]... [--trigger T=STEPS]... [--zones T=ZONES]...`: a new set
/// built through the editor's own controls and saved as a configuration file.
class ComposeCommand {
public:
    static const char* const kHelp;
    static int run(CommandContext& context, const std::vector<std::string>& words);
};
