#include "settings/BuiltInLanguages.h"

#include <array>
#include <stdexcept>

namespace {

constexpr std::array<BuiltInLanguage, 11> kLanguages = {{
    {0, "en", "en.lng", 0},
    {1, "fr", "fr.lng", 2000},
    {2, "nl", "nl.lng", 1000},
    {3, "de", "de.lng", 3000},
    {4, "es", "es.lng", 4000},
    {5, "it", "it.lng", 5000},
    {6, "pt", "pt.lng", 6000},
    {7, "cs", "cs.lng", 7000},
    {8, "fi", "fi.lng", 8000},
    {9, "no", "no.lng", 9000},
    {10, "el", "el.lng", 10000},
}};

}  // namespace

std::span<const BuiltInLanguage> BuiltInLanguages::all() {
    return kLanguages;
}

const BuiltInLanguage* BuiltInLanguages::byFileName(std::string_view name) {
    for (const BuiltInLanguage& language : kLanguages) {
        if (name == language.fileName)
            return &language;
    }
    return nullptr;
}

const BuiltInLanguage* BuiltInLanguages::byCode(std::string_view code) {
    for (const BuiltInLanguage& language : kLanguages) {
        if (code == language.code)
            return &language;
    }
    return nullptr;
}

const BuiltInLanguage& BuiltInLanguages::byMenuIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kLanguages.size()))
        throw std::out_of_range("no language menu item " + std::to_string(index));
    return kLanguages[static_cast<std::size_t>(index)];
}
