// The settings file on any bytes: a value written through WriteIni reads back as it was set (cut to 254
// characters) while every other key keeps its value; what OpenIni reads, SaveIni writes so that it reads
// back the same. Input: key choice, value length, value, then the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FuzzPlatform.h"
#include "settings/IniProcedures.h"
#include "settings/SettingsFile.h"

namespace {

const std::vector<std::pair<std::string, std::string>> kKeys = {
    {"Com settings", "CommTimeOut"},       {"Com settings", "Commport"},
    {"Com settings", "BaudRate"},          {"Com settings", "Parity"},
    {"Com settings", "Databits"},          {"Com settings", "Stopbits"},
    {"Com settings", "Com1Device"},        {"Com settings", "Com2Device"},
    {"File paths", "strLNGFilePath"},      {"File paths", "stroLNGFilePath"},
    {"File paths", "stroLNGFilePathType"}, {"File paths", "LanguageFile"},
    {"File paths", "strMSGFilePath"},      {"File paths", "MessageFile"},
    {"File paths", "strWAVFilePath"},      {"Other", "Key"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto& [section, key] = kKeys[data[0] % kKeys.size()];
    const std::size_t length = std::min<std::size_t>(data[1], size - 2);
    // Printable ASCII: the value is the program's own text, never a line break.
    std::string value;
    for (std::size_t i = 0; i < length; ++i)
        value += static_cast<char>(0x20 + data[2 + i] % 0x5F);
    const std::string content(reinterpret_cast<const char*>(data) + 2 + length, size - 2 - length);

    {
        MemoryFileSystem fs;
        Latin1Codec codec;
        const std::string file = "/prog/KVT3310.INI";
        fs.put(file, content);
        IniProcedures ini(fs, codec);
        std::vector<std::optional<std::string>> before;
        for (const auto& [s, k] : kKeys)
            before.push_back(ini.ReadIni(s, k, file));
        FUZZ_CHECK(ini.WriteIni(section, key, value, file) != 0, "write succeeds");
        std::optional<std::string> expected;
        if (!value.empty())
            expected = value.substr(0, IniProcedures::kMaxValue);
        FUZZ_CHECK(ini.ReadIni(section, key, file) == expected, "the value set reads back");
        for (std::size_t i = 0; i < kKeys.size(); ++i) {
            if (kKeys[i].second == key)
                continue;
            FUZZ_CHECK(ini.ReadIni(kKeys[i].first, kKeys[i].second, file) == before[i], "other keys unchanged");
        }
    }

    FuzzPlatform p;
    p.fs.put("/prog/KVT3310.INI", content);
    SettingsFile settingsFile(p.fs, p.codec, true);
    Settings first;
    if (settingsFile.OpenIni("/prog/KVT3310.INI", first) != SettingsFile::OpenResult::Read)
        return 0;
    FUZZ_CHECK(first.CommTimeOut > 0, "a time-out that ends");
    FUZZ_CHECK(settingsFile.SaveIni("/prog/saved.ini", first) == SettingsFile::SaveResult::Saved, "save");
    Settings second;
    // The language commands write that key, not the save.
    second.LanguageFile = first.LanguageFile;
    FUZZ_CHECK(settingsFile.OpenIni("/prog/saved.ini", second) == SettingsFile::OpenResult::Read,
               "the saved file opens");
    FUZZ_CHECK(second == first, "to the same settings");
    return 0;
}
