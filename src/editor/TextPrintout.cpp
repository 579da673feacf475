#include "editor/TextPrintout.h"

#include <array>
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

std::string sequenceText(const Form1& f, int t) {
    std::string text;
    for (int k = 1; k <= Form1::kSteps; ++k) {
        const std::string& step = f.TRG1[Form1::kSteps * (t - 1) + k].text();
        if (k > 1)
            text += ",";
        // The single blank is the list's "no message" entry and prints as such.
        text += step == " " ? step : trimmedBlanks(step);
    }
    return text;
}

std::string zonesText(const Form1& f, int t) {
    std::string text;
    for (int z = 1; z <= Form1::kZones; ++z) {
        if (z > 1)
            text += ",";
        text += f.Check1[Form1::kZones * (t - 1) + z].value() != 0 ? std::to_string(z) : " ";
    }
    return text;
}

/// The printout in code-page bytes; throws `Unprintable`.
std::string printout(const Form1& f, const ITextCodec& codec) {
    Bytes b(codec);
    std::array<std::string, Form1::kTriggers + 1> sequences, zones;
    for (int t = 1; t <= Form1::kTriggers; ++t)
        sequences[t] = b(sequenceText(f, t));
    for (int t = 1; t <= Form1::kTriggers; ++t)
        zones[t] = b(zonesText(f, t));

    std::string text;
    auto endLine = [&text](const std::string& line) { text += line + "\r\n"; };
    endLine(b(f.Frame1[0].caption()) + std::string(48, '-') + " " + b(f.Frame1[1].caption()) + std::string(36, '-'));
    endLine(std::string(1, kTab) + b(f.Lb_Message_File.caption()) + kTab + kTab + kTab +
            b(f.Lb_Message_Time[0].caption()) + kTab + b(f.Lb_Message_Size[0].caption()) + kTab +
            b(f.Lb_Message_Sample[0].caption()) + kTab + b(f.Lb_Trigger_Ms.caption()) + kTab +
            b(f.Lb_Trigger_Time[0].caption()) + kTab + b(f.Lb_Trigger_Zones[0].caption()));
    endLine(std::string(4, kTab) + b(f.Lb_Message_Time[1].caption()) + kTab + b(f.Lb_Message_Size[1].caption()) + kTab +
            b(f.Lb_Message_Sample[1].caption()) + std::string(4, kTab) + b(f.Lb_Trigger_Time[1].caption()) + kTab);
    for (int i = 1; i <= Form1::kSlots; ++i) {
        std::string row = std::to_string(i) + kTab + b.first(f.WaveFile[i].text(), 20);
        padTo(row, 24);
        row += kTab + b.first(f.MsgTime[i].caption(), 6);
        padTo(row, 31);
        row += kTab + b.first(f.MsgSize[i].caption(), 6);
        padTo(row, 38);
        row += kTab + b.first(f.MsgSample[i].caption(), 6);
        padTo(row, 45);
        row += kTab + std::to_string(i);
        padTo(row, 49);
        row += kTab + sequences[i].substr(0, 14);
        padTo(row, 64);
        row += kTab + b.first(f.TrgTime[i].caption(), 6);
        padTo(row, 71);
        row += kTab + zones[i];
        endLine(row);
    }
    endLine(std::string(1, kTab) + b(f.Lb_Total.caption()) + kTab + kTab + kTab + b.first(f.TotalTime.caption(), 8) +
            kTab + b.first(f.TotalSize.caption(), 8));
    endLine(std::string(99, '-'));
    return text;
}

}  // namespace

bool TextPrintout::PrintOutTxt(const std::string& fileName) {
    Platform& platform = m_form.platform();
    std::string text;
    try {
        text = printout(m_form, platform.codec);
    } catch (const Unprintable&) {
        return false;
    }
    return platform.fs.writeFileAtomic(fileName, text);
}
