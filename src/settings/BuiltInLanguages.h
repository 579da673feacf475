#pragma once

#include <cstdint>
#include <span>
#include <string_view>

/// A built-in language as the language menu and the start-up know it.
struct BuiltInLanguage {
    int menuIndex;         ///< its item `LngSel`(menuIndex)
    const char* code;      ///< the name of its file before the "."
    const char* fileName;  ///< "de.lng"
    std::int16_t lngBase;
};

/// The eleven built-in languages, in the order of the language menu.
class BuiltInLanguages {
public:
    static std::span<const BuiltInLanguage> all();
    /// The language whose file name is exactly `name` (case matters: "DE.LNG" is an own file).
    static const BuiltInLanguage* byFileName(std::string_view name);
    /// The language whose code is exactly `code`.
    static const BuiltInLanguage* byCode(std::string_view code);
    static const BuiltInLanguage& byMenuIndex(int index);
};
