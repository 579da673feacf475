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
            m_texts.emplace(kIdBase + table->lngBase + entry.offset, entry.text);
    }
}

std::optional<std::string> StringCatalogue::text(int id) const {
    auto it = m_texts.find(id);
    if (it == m_texts.end())
        return std::nullopt;
    return std::string(it->second);
}
