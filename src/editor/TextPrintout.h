#pragma once

#include <string>

class Form1;

/// The plain-text printout of a message set: 17 lines, one row per slot and trigger between the editor's
/// headings and the totals, in TAB-separated columns padded to fixed positions, 8-bit text with CR LF.
/// Columns count characters of the 8-bit code page, so the fields are cut and padded after conversion.
class TextPrintout {
public:
    explicit TextPrintout(Form1& form) : m_form(form) {}

    /// Writes the printout to `fileName` as a whole (an older file stays intact when this fails). No message
    /// on failure: the result tells.
    bool PrintOutTxt(const std::string& fileName);

private:
    Form1& m_form;
};
