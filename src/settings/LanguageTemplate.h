#pragma once

#include <cstdint>
#include <string>

class ITextCodec;
class StringCatalogue;

/// A built-in language written out as a language file: the template from which a translator makes an own
/// language. Line n carries the text that line n of a language file gives, labelled with the control it names.
class LanguageTemplate {
public:
    /// The 82 lines of the language of `lngBase`, CR LF ended, in the code page of `codec`; empty when the
    /// catalogue lacks a text of that language.
    static std::string content(const StringCatalogue& catalogue, std::int16_t lngBase, const ITextCodec& codec);
    /// The Windows code page a language's template is written in: 1250 for Czech, 1253 for Greek, else 1252.
    static int codePageOf(std::int16_t lngBase);
};
