#include "CliProgram.h"

#include <algorithm>
#include <filesystem>

#include "BackupCommand.h"
#include "CommandContext.h"
#include "ComposeCommand.h"
#include "ConvertCommand.h"
#include "InfoCommand.h"
#include "PackCommand.h"
#include "PrintCommand.h"
#include "ReadTablesCommand.h"
#include "UploadCommand.h"
#include "platform/Utf8Path.h"
#include "settings/BuiltInLanguages.h"

namespace {

const char* const kHelp =
    "usage: kvt3310-cli [--language CODE] COMMAND [ARGUMENTS]\n"
    "The KVT3310 set-up tool without its window: the same editor and upload, driven from scripts.\n"
    "\n"
    "Commands:\n"
    "  info FILE.wav|SET.cfg...    check wave files as the editor does, or show a set's messages\n"
    "  convert IN -o OUT.wav       write a copy of a sound file in the form the unit plays\n"
    "  compose -o SET.cfg ...      build a message set and save its configuration file\n"
    "  print SET.cfg [-o OUT.txt]  write the text printout of a configuration file\n"
    "  upload SET.cfg --port DEV   upload a set to the unit, as the Send button does\n"
    "  pack SET.cfg -o FOLDER      save a set into a folder with copies of its wave files\n"
    "  read-tables --port DEV      read the unit's message and trigger tables\n"
    "  backup --port DEV -o DIR    read the unit's messages and set back into a folder\n"
    "\n"
    "Options:\n"
    "  --language CODE  the language of the texts: en, nl, fr, de, es, it, pt, cs, fi, no, el,\n"
    "                   or the path of an own .lng file (default en)\n"
    "  --help           this text; 'kvt3310-cli COMMAND --help' tells about one command\n"
    "  --version        the program's version\n"
    "\n"
    "Exit status: 0 on success, 1 when the unit or a file refused, 2 for wrong usage.\n";

struct Command {
    const char* name;
    const char* help;
    int (*run)(CommandContext&, const std::vector<std::string>&);
};

const Command kCommands[] = {
    {"info", InfoCommand::kHelp, InfoCommand::run},
    {"convert", ConvertCommand::kHelp, ConvertCommand::run},
    {"compose", ComposeCommand::kHelp, ComposeCommand::run},
    {"print", PrintCommand::kHelp, PrintCommand::run},
    {"upload", UploadCommand::kHelp, UploadCommand::run},
    {"pack", PackCommand::kHelp, PackCommand::run},
    {"read-tables", ReadTablesCommand::kHelp, ReadTablesCommand::run},
    {"backup", BackupCommand::kHelp, BackupCommand::run},
};

bool knownLanguage(const std::string& code) {
    if (BuiltInLanguages::byCode(code))
        return true;
    auto extension = utf8Path(code).extension();
    return extension == ".lng" || extension == ".LNG";
}

}  // namespace

int CliProgram::run(const std::vector<std::string>& args) {
    CommandContext context{m_out, m_err, m_headless};
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--help" || word == "-h") {
            m_out << kHelp;
            return kSuccess;
        }
        if (word == "--version") {
            m_out << "kvt3310-cli " << KVT_VERSION << "\n";
            return kSuccess;
        }
        if (word == "--language" || word.rfind("--language=", 0) == 0) {
            if (word == "--language") {
                if (++i >= args.size())
                    return context.usage("", "--language needs a code");
                context.language = args[i];
            } else {
                context.language = word.substr(11);
            }
            continue;
        }
        break;
    }
    if (i >= args.size()) {
        m_err << kHelp;
        return kUsage;
    }
    const std::string name = args[i];
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (name == c.name)
            command = &c;
    if (!command) {
        m_err << "kvt3310-cli: unknown command '" << name << "'\nTry 'kvt3310-cli --help'.\n";
        return kUsage;
    }

    // --language may also come among the command's own words.
    std::vector<std::string> words;
    for (++i; i < args.size(); ++i) {
        if (args[i] == "--") {
            words.insert(words.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        if (args[i] == "--help" || args[i] == "-h") {
            m_out << command->help;
            return kSuccess;
        }
        if (args[i] == "--language") {
            if (++i >= args.size())
                return context.usage(name, "--language needs a code");
            context.language = args[i];
        } else if (args[i].rfind("--language=", 0) == 0) {
            context.language = args[i].substr(11);
        } else {
            words.push_back(args[i]);
        }
    }
    if (!knownLanguage(context.language))
        return context.usage(name, "unknown language '" + context.language + "'");
    return command->run(context, words);
}
