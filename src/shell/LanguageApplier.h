#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Signal.h"
#include "settings/StringCatalogue.h"

class Form1;
class MDIKVT3310;

/// Puts the active language on the main window, the editor and the status bar, and fills the editor's text
/// arrays (`OpenLng` of the editor). The language is the catalogue's block for `LngBase`, or a language file
/// when `LngExternal` is set.
class LanguageApplier {
public:
    static constexpr int kGreekBase = 10000;
    /// The font character sets: the default Western one and the platform's Greek one.
    static constexpr int kWestern = 0;
    static constexpr int kGreek = 161;
    /// The texts `OpenLng` applies: offsets 70, 80, ... 780.
    static constexpr int kFirstOffset = 70;
    static constexpr int kLastOffset = 780;
    static constexpr std::size_t kTexts = (kLastOffset - kFirstOffset) / 10 + 1;

    LanguageApplier(Form1& form, MDIKVT3310& mdi) : m_form(form), m_mdi(mdi) {}

    /// True when the language was applied. On any failure nothing has changed; the message of offset 760
    /// ("Language file cannot be found!" in the language shown) has been shown.
    bool OpenLng(const std::string& file);

    /// The character set of a built-in language's texts.
    static int charsetOf(int lngBase) { return lngBase == kGreekBase ? kGreek : kWestern; }

    const StringCatalogue& catalogue() const { return m_catalogue; }

    /// After a language was applied: for texts put together from its parts, and for the views' own texts.
    Signal<> applied;

private:
    std::optional<std::vector<std::string>> readTexts(const std::string& file) const;
    void apply(const std::vector<std::string>& texts, int charset);

    Form1& m_form;
    MDIKVT3310& m_mdi;
    StringCatalogue m_catalogue;
};
