#include "ComposeCommand.h"

#include <map>
#include <optional>
#include <sstream>

#include "CommandContext.h"
#include "CommandLine.h"
#include "InfoCommand.h"
#include "editor/ConfigFile.h"
#include "shell/HeadlessEditor.h"

const char* const ComposeCommand::kHelp =
    "usage: kvt3310-cli compose -o SET.cfg [--message N=FILE.wav]... [--trigger T=STEPS]...\n"
    "                           [--zones T=ZONES]...\n"
    "Builds a new message set with the editor and saves it as a configuration file.\n"
    "  -o, --output SET.cfg   the configuration file to write\n"
    "  --message N=FILE.wav   the wave file of message slot N (1 to 12); slots fill from slot 1\n"
    "  --trigger T=STEPS      the sequence of trigger T (1 to 12): up to 4 message numbers, as \"3,1\"\n"
    "  --zones T=ZONES        the zones trigger T plays into (1 to 6), as \"1,6\"\n"
    "Exit status 1 when the editor refuses a file or a step (format, memory capacity).\n";

namespace {

struct Assignment {
    int index = 0;
    std::string value;
};

std::optional<Assignment> assignment(const std::string& text, int max) {
    auto equals = text.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    auto index = CommandLine::number(text.substr(0, equals), 1, max);
    if (!index)
        return std::nullopt;
    return Assignment{static_cast<int>(*index), text.substr(equals + 1)};
}

/// "3,1" as numbers from 1 to `max`; at most `count` of them, at least one.
std::optional<std::vector<int>> numberList(const std::string& text, int max, std::size_t count) {
    std::vector<int> numbers;
    std::stringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        auto number = CommandLine::number(item, 1, max);
        if (!number)
            return std::nullopt;
        numbers.push_back(static_cast<int>(*number));
    }
    if (numbers.empty() || numbers.size() > count || text.back() == ',')
        return std::nullopt;
    return numbers;
}

}  // namespace

int ComposeCommand::run(CommandContext& context, const std::vector<std::string>& words) {
    CommandLine line(words, {{"output", "message", "trigger", "zones"}, {}});
    if (!line.ok())
        return context.usage("compose", line.error());
    if (!line.positional().empty())
        return context.usage("compose", "unexpected argument '" + line.positional()[0] + "'");
    if (!line.has("output"))
        return context.usage("compose", "the configuration file is missing (-o SET.cfg)");

    // Slots are chosen in their order, whatever the order on the command line; a later choice for the same
    // slot replaces the earlier one, as in the editor.
    std::map<int, std::vector<std::string>> messages;
    for (const std::string& text : line.values("message")) {
        auto a = assignment(text, MessageSet::kSlots);
        if (!a || a->value.empty())
            return context.usage("compose", "'--message " + text + "' is not N=FILE.wav");
        messages[a->index].push_back(a->value);
    }
    std::vector<std::pair<int, std::vector<int>>> sequences, zones;
    for (const std::string& text : line.values("trigger")) {
        auto a = assignment(text, MessageSet::kTriggers);
        auto steps = a ? numberList(a->value, MessageSet::kSlots, MessageSet::kSteps) : std::nullopt;
        if (!steps)
            return context.usage("compose", "'--trigger " + text + "' is not T=STEPS (as 3=2,1)");
        sequences.emplace_back(a->index, *steps);
    }
    for (const std::string& text : line.values("zones")) {
        auto a = assignment(text, MessageSet::kTriggers);
        auto list = a ? numberList(a->value, MessageSet::kZones, MessageSet::kZones) : std::nullopt;
        if (!list)
            return context.usage("compose", "'--zones " + text + "' is not T=ZONES (as 3=1,6)");
        zones.emplace_back(a->index, *list);
    }

    auto session = context.session();
    if (!session)
        return kRefused;
    HeadlessEditor& editor = session->editor();
    for (const auto& [slot, files] : messages) {
        for (const std::string& file : files) {
            // The editor has shown its own refusal already; a silent one is told here.
            context.headless.messages().clearShown();
            if (auto refusal = InfoCommand::choose(*session, slot, file)) {
                if (context.headless.messages().shown().empty())
                    context.err << "kvt3310-cli: " << *refusal << "\n";
                return context.refused("message " + std::to_string(slot) + " (" + file + ") was refused");
            }
        }
    }
    for (const auto& [trigger, steps] : sequences) {
        for (std::size_t s = 0; s < steps.size(); ++s) {
            const std::string entry = std::to_string(steps[s]);
            switch (editor.pickStep(trigger, static_cast<int>(s) + 1, steps[s])) {
                case HeadlessEditor::Pick::Taken:
                    break;
                case HeadlessEditor::Pick::NotOffered:
                    return context.refused("trigger " + std::to_string(trigger) + ": message " + entry +
                                           " is not in the set");
                case HeadlessEditor::Pick::NotTaken:
                    return context.refused("trigger " + std::to_string(trigger) + ": step " + std::to_string(s + 1) +
                                           " did not take message " + entry);
            }
        }
    }
    for (const auto& [trigger, list] : zones) {
        for (int zone : list)
            editor.checkZone(trigger, zone);
    }

    if (!editor.save(EditorSession::fullPath(*line.value("output"))))
        return kRefused;
    return kSuccess;
}
