#include "ConvertCommand.h"

#include "CommandContext.h"
#include "CommandLine.h"

const char* const ConvertCommand::kHelp =
    "usage: kvt3310-cli convert IN -o OUT.wav [--rate HZ]\n"
    "Writes a copy of IN that the unit accepts: 16-bit mono PCM with a canonical 44-byte header.\n"
    "IN is any file libsndfile reads (WAVE of any sample format or channel count, extensible\n"
    "headers, extra chunks, FLAC, AIFF, Ogg). Channels are mixed down and the sound is resampled\n"
    "when the rate changes.\n"
    "  -o, --output OUT.wav  the file to write\n"
    "  --rate HZ             the output rate, 8000 to 24000 (default: the input's rate when the unit\n"
    "                        takes it, else 22050)\n";

int ConvertCommand::run(CommandContext& context, const std::vector<std::string>& words) {
    CommandLine line(words, {{"output", "rate"}, {}});
    if (!line.ok())
        return context.usage("convert", line.error());
    if (line.positional().size() != 1)
        return context.usage("convert", "exactly one input file is needed");
    if (!line.has("output"))
        return context.usage("convert", "the output file is missing (-o OUT.wav)");
    std::optional<int> rate;
    if (auto text = line.value("rate")) {
        auto value = CommandLine::number(*text, IWaveConverter::kMinRate, IWaveConverter::kMaxRate);
        if (!value)
            return context.usage("convert", "the rate must be from 8000 to 24000 Hz");
        rate = static_cast<int>(*value);
    }

    const std::string& input = line.positional().front();
    IWaveConverter::Result result = context.headless.platform().converter.convert(input, rate);
    if (result.bytes.empty())
        return context.refused(input + ": " + result.error);
    const std::string output = EditorSession::fullPath(*line.value("output"));
    if (!context.headless.platform().fs.writeFileAtomic(output, result.bytes))
        return context.refused(output + ": cannot be written");
    context.out << *line.value("output") << ": " << result.outputRate << " Hz, " << result.frames << " samples, from "
                << result.inputChannels << (result.inputChannels == 1 ? " channel" : " channels") << " at "
                << result.inputRate << " Hz\n";
    return kSuccess;
}
