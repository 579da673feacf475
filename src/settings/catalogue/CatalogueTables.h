#pragma once

#include <cstdint>
#include <span>

/// One text of the string catalogue: its offset from the language base, and the text in UTF-8.
struct CatalogueEntry {
    int offset;
    const char* text;
};

/// The texts of one built-in language.
struct LanguageTable {
    std::int16_t lngBase;
    const char* code;
    std::span<const CatalogueEntry> texts;
};

// One table per language, each in its own file CatalogueXx.cpp.
const LanguageTable& catalogueEn();
const LanguageTable& catalogueNl();
const LanguageTable& catalogueFr();
const LanguageTable& catalogueDe();
const LanguageTable& catalogueEs();
const LanguageTable& catalogueIt();
const LanguageTable& cataloguePt();
const LanguageTable& catalogueCs();
const LanguageTable& catalogueFi();
const LanguageTable& catalogueNo();
const LanguageTable& catalogueEl();
