#include "editor/FileFaults.h"

#include "editor/FormTexts.h"
#include "editor/WaveHeader.h"

namespace {

/// `text` with the first "%1" (or "%2") replaced; a translation without it stays as it is.
std::string filled(std::string text, const char* placeholder, const std::string& value) {
    const auto at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

}  // namespace

std::string FileFaults::withFile(const std::string& text, const std::string& path, const std::string& reason) {
    return text + "\n\n" + path + (reason.empty() ? "" : "\n" + reason);
}

std::optional<std::string> FileFaults::wave(const std::array<std::string, 4>& texts, const WaveHeader& header,
                                            const std::string& path) {
    switch (header.verdict) {
        case WaveVerdict::CutShort: {
            const std::string text = filled(filled(texts[kFaultCutShort], "%1", std::to_string(header.dataSize)), "%2",
                                            std::to_string(header.dataPresent));
            return withFile(text, path);
        }
        case WaveVerdict::NoSound:
            return withFile(texts[kFaultNoSound], path);
        default:
            return std::nullopt;
    }
}
