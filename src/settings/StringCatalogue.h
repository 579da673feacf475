#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "settings/catalogue/CatalogueTables.h"

/// The string catalogue of the built-in languages: texts keyed by id = 1000 + language base + offset, as the
/// resource string lookup of the platform serves them. Kept by language and offset, so that a language base the
/// catalogue does not have finds nothing rather than a mix of its neighbours' texts.
class StringCatalogue {
public:
    static constexpr int kIdBase = 1000;

    StringCatalogue();

    /// The text of an id, or nothing for an id the catalogue does not hold.
    std::optional<std::string> text(int id) const;
    std::optional<std::string> text(int lngBase, int offset) const;
    std::size_t size() const { return m_texts.size(); }

    /// The tables of the eleven languages, English first.
    static std::span<const LanguageTable* const> tables();

private:
    std::map<std::pair<int, int>, const char*> m_texts;
};
