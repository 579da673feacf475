// The language file reader and OpenLng on any bytes: a file of at least 82 lines is applied, any other one
// leaves the windows as they were with one message; the splash's 10 lines are the first 10 of the same read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzPlatform.h"
#include "settings/LanguageFile.h"
#include "shell/LanguageApplier.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPlatform p;
    const std::string path = "/prog/own.lng";
    p.fs.put(path, std::string(reinterpret_cast<const char*>(data), size));
    p.app.LngExternal = true;

    const auto all = LanguageFile::read(p.fs, p.codec, path, LanguageFile::kLines);
    const auto splash = LanguageFile::read(p.fs, p.codec, path, LanguageFile::kSplashLines);
    if (all) {
        FUZZ_CHECK(all->size() == LanguageFile::kLines, "82 texts");
        FUZZ_CHECK(splash && std::equal(splash->begin(), splash->end(), all->begin()), "splash lines agree");
    }

    const std::string captionBefore = p.mdi.caption();
    const bool applied = p.bench.language().OpenLng(path);
    FUZZ_CHECK(applied == all.has_value(), "applied exactly when the file has every line");
    if (applied) {
        FUZZ_CHECK(p.msgBox.shown.empty(), "no message when applied");
        FUZZ_CHECK(p.mdi.caption() == (*all)[LanguageFile::lineOfOffset(70) - 1] + " ", "caption from line 11");
    } else {
        FUZZ_CHECK(p.msgBox.shown.size() == 1, "one message when refused");
        FUZZ_CHECK(p.mdi.caption() == captionBefore, "nothing changed when refused");
    }
    return 0;
}
