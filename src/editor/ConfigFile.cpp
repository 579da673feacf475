#include "editor/ConfigFile.h"

#include <array>
#include <cstdint>
#include <exception>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "editor/FileFaults.h"
#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/Formats.h"
#include "editor/MovedFiles.h"
#include "editor/WaveLocator.h"
#include "settings/TextLineReader.h"
#include "settings/TextValues.h"

namespace {

constexpr int kSlots = Form1::kSlots;
constexpr int kStepCount = Form1::kTriggers * Form1::kSteps;
constexpr int kZoneCount = Form1::kTriggers * Form1::kZones;

/// A value of the file that cannot be taken; ends the read phase.
struct BadValue : std::exception {};

constexpr auto kExponent = TextValues::Exponent::Allowed;

std::int32_t toInt32(double value) {
    double rounded = TextValues::roundHalfEven(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
        throw BadValue{};
    return static_cast<std::int32_t>(rounded);
}

bool toBoolean(std::string_view text) {
    auto value = TextValues::boolean(text, kExponent);
    if (!value)
        throw BadValue{};
    return *value;
}

std::int32_t toInteger(std::string_view text) {
    auto number = TextValues::number(text, kExponent);
    if (!number)
        throw BadValue{};
    return toInt32(*number);
}

/// Hands out the values of the file's lines in order: the text after the first "=", or the whole line.
class LineReader {
public:
    explicit LineReader(const std::vector<std::string>& lines) : m_lines(lines) {}
    std::string next() {
        if (m_next >= m_lines.size())
            throw BadValue{};
        const std::string& line = m_lines[m_next++];
        auto equals = line.find('=');
        return equals == std::string::npos ? line : line.substr(equals + 1);
    }

private:
    const std::vector<std::string>& m_lines;
    std::size_t m_next = 0;
};

/// Everything the file holds, converted, before any of it reaches the editor.
struct ConfigValues {
    std::array<bool, kSlots + 1> msgBt{}, browse{}, trgBt{};
    std::array<std::string, kSlots + 1> waveFile, filePath, msgTime, msgSample, trgTime;
    std::array<std::int32_t, kSlots + 1> tMsgSize{};
    int listCount = 0;
    std::array<bool, kStepCount + 1> stepEnabled{};
    std::array<std::string, kStepCount + 1> stepText;
    std::array<int, kZoneCount + 1> zone{};
    std::string totalTime, totalSize;
    std::int32_t tFileLength = 0;
};

ConfigValues readValues(const std::vector<std::string>& lines) {
    LineReader in(lines);
    ConfigValues v;
    for (int i = 1; i <= kSlots; ++i)
        v.msgBt[i] = toBoolean(in.next());
    for (int i = 1; i <= kSlots; ++i) {
        v.waveFile[i] = in.next();
        v.filePath[i] = in.next();
    }
    for (int i = 1; i <= kSlots; ++i)
        v.browse[i] = toBoolean(in.next());
    for (int i = 1; i <= kSlots; ++i)
        v.msgTime[i] = in.next();
    // Sizes that no wave file gives, or that together pass the unit's memory, are as impossible as a
    // number that does not convert: the totals and the upload cannot work with them.
    std::int64_t stored = 0;
    for (int i = 1; i <= kSlots; ++i) {
        v.tMsgSize[i] = toInt32(Formats::leadingNumber(in.next()));
        if (v.tMsgSize[i] < 0)
            throw BadValue{};
        stored += v.tMsgSize[i];
    }
    if (stored > Form1::kMemoryBytes)
        throw BadValue{};
    for (int i = 1; i <= kSlots; ++i)
        v.msgSample[i] = in.next();
    for (int i = 1; i <= kSlots; ++i)
        v.trgBt[i] = toBoolean(in.next());
    // Checked here rather than when the lists are rebuilt, so that a bad length cannot stop the load
    // half-way; no list can usefully hold more than the blank and the 12 message numbers.
    v.listCount = toInteger(in.next());
    if (v.listCount > ConfigFile::kMaxListCount)
        throw BadValue{};
    for (int j = 1; j <= kStepCount; ++j) {
        v.stepEnabled[j] = toBoolean(in.next());
        v.stepText[j] = in.next();
    }
    for (int i = 1; i <= kSlots; ++i)
        v.trgTime[i] = in.next();
    for (int k = 1; k <= kZoneCount; ++k) {
        v.zone[k] = toInteger(in.next());
        if (v.zone[k] != 0 && v.zone[k] != 1)
            throw BadValue{};
    }
    v.totalTime = in.next();
    v.totalSize = in.next();
    v.tFileLength = toInteger(in.next());
    if (v.tFileLength < 0 || v.tFileLength > Form1::kMemoryBytes)
        throw BadValue{};
    return v;
}

void applyValues(Form1& f, const ConfigValues& v) {
    for (int i = 1; i <= kSlots; ++i)
        f.MsgBt[i].setEnabled(v.msgBt[i]);
    // Each name runs the name box's change handling, which may empty later slots; the later iterations and
    // steps set them again.
    for (int i = 1; i <= kSlots; ++i) {
        f.WaveFile[i].setText(v.waveFile[i]);
        f.FilePath[i] = v.filePath[i];
    }
    for (int i = 1; i <= kSlots; ++i)
        f.Bt_Browse[i].setEnabled(v.browse[i]);
    for (int i = 1; i <= kSlots; ++i)
        f.MsgTime[i].setCaption(v.msgTime[i]);
    for (int i = 1; i <= kSlots; ++i) {
        f.TMsgSize[i] = v.tMsgSize[i];
        f.MsgSize[i].setCaption(Formats::integer(f.TMsgSize[i] / 1000));
    }
    for (int i = 1; i <= kSlots; ++i)
        f.MsgSample[i].setCaption(v.msgSample[i]);
    for (int i = 1; i <= kSlots; ++i)
        f.TrgBt[i].setEnabled(v.trgBt[i]);
    for (int j = 1; j <= kStepCount; ++j)
        f.TRG1[j].setEnabled(v.stepEnabled[j]);
    for (int i = 1; i <= kSlots; ++i)
        f.TrgTime[i].setCaption(v.trgTime[i]);
    for (int k = 1; k <= kZoneCount; ++k)
        f.Check1[k].setValue(v.zone[k]);
    f.TotalTime.setCaption(v.totalTime);
    f.TotalSize.setCaption(v.totalSize);
    f.TFileLength = v.tFileLength;
    for (int j = 1; j <= kStepCount; ++j)
        f.TRG1[j].clear();
    for (int j = 1; j <= kStepCount; ++j) {
        for (int e = 0; e < v.listCount; ++e)
            f.TRG1[j].addItem(e == 0 ? " " : std::to_string(e));
        f.TRG1[j].setText(v.stepText[j]);
    }
}

std::string index(const char* name, int i) {
    return std::string(name) + "(" + std::to_string(i) + ")";
}

/// The lines of the file, in UTF-8, without their line ends.
std::vector<std::string> configLines(const Form1& f) {
    std::vector<std::string> lines;
    lines.reserve(ConfigFile::kLines);
    for (int i = 1; i <= kSlots; ++i)
        lines.push_back(index("MsgBt", i) + " =" + TextValues::booleanText(f.MsgBt[i].enabled()));
    for (int i = 1; i <= kSlots; ++i) {
        lines.push_back(index("WaveFile", i) + "=" + f.WaveFile[i].text());
        lines.push_back(index("FilePath", i) + "=" + f.FilePath[i]);
    }
    for (int i = 1; i <= kSlots; ++i)
        lines.push_back(index("Bt_Browse", i) + "=" + TextValues::booleanText(f.Bt_Browse[i].enabled()));
    for (int i = 1; i <= kSlots; ++i)
        lines.push_back(index("MsgTime", i) + "=" + f.MsgTime[i].caption());
    for (int i = 1; i <= kSlots; ++i)
        lines.push_back(index("TMsgSize", i) + "=" + Formats::integer(f.TMsgSize[i]));
    for (int i = 1; i <= kSlots; ++i)
        lines.push_back(index("MsgSample", i) + "=" + f.MsgSample[i].caption());
    for (int i = 1; i <= kSlots; ++i)
        lines.push_back(index("TrgBt", i) + "=" + TextValues::booleanText(f.TrgBt[i].enabled()));
    // All 48 lists hold the same entries, so one length stands for all.
    lines.push_back("TRG1(13)_ListCount=" + Formats::integer(f.TRG1[13].listCount()));
    for (int j = 1; j <= kStepCount; ++j) {
        lines.push_back(index("TRG1", j) + "_Enabled=" + TextValues::booleanText(f.TRG1[j].enabled()));
        lines.push_back(index("TRG1", j) + "_Text=" + f.TRG1[j].text());
    }
    for (int i = 1; i <= kSlots; ++i)
        lines.push_back(index("TrgTime", i) + "=" + f.TrgTime[i].caption());
    for (int k = 1; k <= kZoneCount; ++k)
        lines.push_back(index("Check1", k) + "=" + Formats::integer(f.Check1[k].value()));
    lines.push_back("TotalTime=" + f.TotalTime.caption());
    lines.push_back("TotalSize=" + f.TotalSize.caption());
    lines.push_back("TFileLength=" + Formats::integer(f.TFileLength));
    return lines;
}

/// The first `kLines` lines of the file, in UTF-8; nothing when the file cannot be read, is shorter or has a
/// line longer than any of a valid file. Lines after those are never read.
std::optional<std::vector<std::string>> readLines(const IFileSystem& fs, const ITextCodec& codec,
                                                  const std::string& fileName) {
    auto source = fs.openRead(fileName);
    if (!source)
        return std::nullopt;
    TextLineReader reader(*source, ConfigFile::kMaxLineLength);
    std::vector<std::string> lines;
    lines.reserve(ConfigFile::kLines);
    while (lines.size() < static_cast<std::size_t>(ConfigFile::kLines)) {
        auto line = reader.next();
        if (!line)
            return std::nullopt;
        lines.push_back(codec.toUtf8(*line));
    }
    return lines;
}

}  // namespace

bool ConfigFile::SaveConfig(const std::string& fileName) {
    const std::string& wording = m_form.FileFaultText[kFaultSaveFailed];
    std::int64_t sum = 0;
    for (int i = 1; i <= kSlots; ++i)
        sum += m_form.TMsgSize[i];
    if (sum < std::numeric_limits<std::int32_t>::min() || sum > std::numeric_limits<std::int32_t>::max())
        return fail(wording, fileName);
    m_form.TFileLength = static_cast<std::int32_t>(sum);

    Platform& platform = m_form.platform();
    std::string bytes;
    for (const std::string& line : configLines(m_form)) {
        const std::string value = line.substr(line.find('=') + 1);
        // A line break inside a value would shift every later line of this positional format, and a letter
        // the code page lacks would come back as another one: the file would name what is not there.
        if (line.find_first_of("\r\n") != std::string::npos)
            return fail(wording, fileName, value);
        auto encoded = platform.codec.fromUtf8Exact(line);
        if (!encoded || encoded->size() > kMaxLineLength)
            return fail(wording, fileName, value);
        bytes += *encoded;
        bytes += "\r\n";
    }
    if (!platform.fs.writeFileAtomic(fileName, bytes))
        return fail(wording, fileName, platform.fs.lastError());
    return true;
}

bool ConfigFile::OpenConfig(const std::string& fileName) {
    Platform& platform = m_form.platform();
    const std::string& wording = m_form.MsgText[kMsgNoConfigFile];
    m_foundBeside = 0;
    auto lines = readLines(platform.fs, platform.codec, fileName);
    // A file that opened but holds no valid set has no reason of the system's: its name says enough.
    if (!lines)
        return fail(wording, fileName, platform.fs.lastError());
    ConfigValues values;
    try {
        values = readValues(*lines);
    } catch (const std::exception&) {
        return fail(wording, fileName);
    }
    m_form.MsgUnchanged = true;
    try {
        applyValues(m_form, values);
    } catch (const std::exception&) {
        return fail(wording, fileName);
    }
    m_foundBeside = MovedFiles(m_form).findBeside(WaveLocator::folderOf(fileName, platform.fs.separator()));
    return true;
}

bool ConfigFile::fail(const std::string& wording, const std::string& fileName, const std::string& reason) {
    Platform& platform = m_form.platform();
    platform.msgBox.Beep();
    platform.msgBox.MsgBox(FileFaults::withFile(wording, fileName, reason),
                           IMessageBox::vbOKOnly | IMessageBox::vbQuestion, m_form.Caption);
    return false;
}
