#pragma once

#include <array>
#include <optional>
#include <string>

struct WaveHeader;

/// The messages of files that fail: a catalogue text, then the file and the cause, so that the user can tell
/// which file it was and what the system had against it.
class FileFaults {
public:
    /// `text`, a blank line, the file, and the system's reason on a line of its own when there is one.
    static std::string withFile(const std::string& text, const std::string& path, const std::string& reason = {});
    /// The message for a wave file that the header check refuses as cut short or without sound, from the texts of
    /// `Form1::FileFaultText`; nothing for any other verdict.
    static std::optional<std::string> wave(const std::array<std::string, 4>& texts, const WaveHeader& header,
                                           const std::string& path);
};
