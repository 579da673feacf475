#pragma once

#include <string>
#include <vector>

struct CommandContext;

/// `upload SET.cfg --port DEVICE [--timeout MS]`: the upload of the Send button, for an opened set.
class UploadCommand {
public:
    static const char* const kHelp;
    static int run(CommandContext& context, const std::vector<std::string>& words);
};
