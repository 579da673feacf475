#include "settings/StringCatalogue.h"

#include <array>

std::span<const LanguageTable* const> StringCatalogue::tables() {
    static const std::array<const LanguageTable*, 11> all = {
        &catalogueEn(), &catalogueNl(), &catalogueFr(), &catalogueDe(), &catalogueEs(), &catalogueIt(),
        &cataloguePt(), &catalogueCs(), &catalogueFi(), &catalogueNo(), &catalogueEl()};
    return all;
}

StringCatalogue::StringCatalogue() {
    for (const LanguageTable* table : tables()) {
        for (const CatalogueEntry& entry : table->texts)
            m_texts.emplace(std::pair<int, int>(table->lngBase, entry.offset), entry.text);
    }
}

std::optional<std::string> StringCatalogue::text(int id) const {
    constexpr int kBaseStep = 1000;
    const int key = id - kIdBase;
    if (key < 0)
        return std::nullopt;
    return text(key / kBaseStep * kBaseStep, key % kBaseStep);
}

std::optional<std::string> StringCatalogue::text(int lngBase, int offset) const {
    auto it = m_texts.find({lngBase, offset});
    if (it == m_texts.end())
        return std::nullopt;
    return std::string(it->second);
}
