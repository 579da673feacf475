#include "editor/TextPrintout.h"

#include <array>
#include <optional>
#include <string>

#include "editor/Form1.h"

namespace {

constexpr char kTab = '\t';

/// A text the code page cannot hold: the printout would show another letter in its place.
struct Unprintable {};

/// Builds lines in code-page bytes, where one byte is one character and one column.
class Bytes {
public:
    explicit Bytes(const ITextCodec& codec) : m_codec(codec) {}
    std::string operator()(const std::string& utf8) const {
        auto bytes = m_codec.fromUtf8Exact(utf8);
        if (!bytes)
            throw Unprintable{};
        return *bytes;
    }
    std::string first(const std::string& utf8, std::size_t count) const { return (*this)(utf8).substr(0, count); }

private:
    const ITextCodec& m_codec;
};

/// Blanks until the next character would fall in `column` (columns count from 1).
void padTo(std::string& line, std::size_t column) {
    while (line.size() + 1 < column)
        line += ' ';
}

std::string trimmedBlanks(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string sequenceText(const MessageSet& set, int t) {
    std::string text;
    for (int k = 1; k <= MessageSet::kSteps; ++k) {
        const std::string& step = set.TRG1Text[MessageSet::kSteps * (t - 1) + k];
        if (k > 1)
            text += ",";
        // The single blank is the list's "no message" entry and prints as such.
        text += step == " " ? step : trimmedBlanks(step);
    }
    return text;
}

std::string zonesText(const MessageSet& set, int t) {
    std::string text;
    for (int z = 1; z <= MessageSet::kZones; ++z) {
        if (z > 1)
            text += ",";
        text += set.zone(t, z) ? std::to_string(z) : " ";
    }
    return text;
}

/// The printout in code-page bytes; throws `Unprintable`.
std::string printout(const MessageSet& set, const TextPrintout::Headings& h, const ITextCodec& codec) {
    Bytes b(codec);
    std::array<std::string, MessageSet::kTriggers + 1> sequences, zones;
    for (int t = 1; t <= MessageSet::kTriggers; ++t)
        sequences[t] = b(sequenceText(set, t));
    for (int t = 1; t <= MessageSet::kTriggers; ++t)
        zones[t] = b(zonesText(set, t));

    std::string text;
    auto endLine = [&text](const std::string& line) { text += line + "\r\n"; };
    endLine(b(h.message) + std::string(48, '-') + " " + b(h.trigger) + std::string(36, '-'));
    endLine(std::string(1, kTab) + b(h.file) + kTab + kTab + kTab + b(h.time) + kTab + b(h.size) + kTab + b(h.sample) +
            kTab + b(h.sequence) + kTab + b(h.trgTime) + kTab + b(h.zones));
    endLine(std::string(4, kTab) + b(h.timeUnit) + kTab + b(h.sizeUnit) + kTab + b(h.sampleUnit) +
            std::string(4, kTab) + b(h.trgTimeUnit) + kTab);
    for (int i = 1; i <= MessageSet::kSlots; ++i) {
        std::string row = std::to_string(i) + kTab + b.first(set.WaveFile[i], 20);
        padTo(row, 24);
        row += kTab + b.first(set.MsgTime[i], 6);
        padTo(row, 31);
        row += kTab + b.first(set.MsgSize[i], 6);
        padTo(row, 38);
        row += kTab + b.first(set.MsgSample[i], 6);
        padTo(row, 45);
        row += kTab + std::to_string(i);
        padTo(row, 49);
        row += kTab + sequences[i].substr(0, 14);
        padTo(row, 64);
        row += kTab + b.first(set.TrgTime[i], 6);
        padTo(row, 71);
        row += kTab + zones[i];
        endLine(row);
    }
    endLine(std::string(1, kTab) + b(h.total) + kTab + kTab + kTab + b.first(set.TotalTime, 8) + kTab +
            b.first(set.TotalSize, 8));
    endLine(std::string(99, '-'));
    return text;
}

}  // namespace

TextPrintout::Headings TextPrintout::headingsOf(const Form1& f) {
    Headings h;
    h.message = f.Frame1[0].caption();
    h.trigger = f.Frame1[1].caption();
    h.file = f.Lb_Message_File.caption();
    h.time = f.Lb_Message_Time[0].caption();
    h.timeUnit = f.Lb_Message_Time[1].caption();
    h.size = f.Lb_Message_Size[0].caption();
    h.sizeUnit = f.Lb_Message_Size[1].caption();
    h.sample = f.Lb_Message_Sample[0].caption();
    h.sampleUnit = f.Lb_Message_Sample[1].caption();
    h.sequence = f.Lb_Trigger_Ms.caption();
    h.trgTime = f.Lb_Trigger_Time[0].caption();
    h.trgTimeUnit = f.Lb_Trigger_Time[1].caption();
    h.zones = f.Lb_Trigger_Zones[0].caption();
    h.total = f.Lb_Total.caption();
    return h;
}

std::optional<std::string> TextPrintout::render(const MessageSet& set, const Headings& headings,
                                                const ITextCodec& codec) {
    try {
        return printout(set, headings, codec);
    } catch (const Unprintable&) {
        return std::nullopt;
    }
}

bool TextPrintout::PrintOutTxt(const std::string& fileName) {
    Platform& platform = m_form.platform();
    auto text = render(m_form.messageSet(), headingsOf(m_form), platform.codec);
    return text && platform.fs.writeFileAtomic(fileName, *text);
}
