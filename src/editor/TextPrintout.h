#pragma once

#include <optional>
#include <string>

#include "editor/MessageSet.h"

class Form1;
class ITextCodec;

/// The plain-text printout of a message set: 17 lines, one row per slot and trigger between the editor's
/// headings and the totals, in TAB-separated columns padded to fixed positions, 8-bit text with CR LF.
/// Columns count characters of the 8-bit code page, so the fields are cut and padded after conversion.
class TextPrintout {
public:
    /// The editor's headings the printout repeats, in the language they are shown in.
    struct Headings {
        std::string message, trigger;      ///< the two groups (`Frame1`)
        std::string file;                  ///< `Lb_Message_File`
        std::string time, timeUnit;        ///< `Lb_Message_Time`
        std::string size, sizeUnit;        ///< `Lb_Message_Size`
        std::string sample, sampleUnit;    ///< `Lb_Message_Sample`
        std::string sequence;              ///< `Lb_Trigger_Ms`
        std::string trgTime, trgTimeUnit;  ///< `Lb_Trigger_Time`
        std::string zones;                 ///< `Lb_Trigger_Zones`(0)
        std::string total;                 ///< `Lb_Total`
    };

    explicit TextPrintout(Form1& form) : m_form(form) {}

    /// Writes the printout of the editor's set to `fileName` as a whole (an older file stays intact when this
    /// fails). No message on failure: the result tells.
    bool PrintOutTxt(const std::string& fileName);

    /// The headings as the editor shows them now.
    static Headings headingsOf(const Form1& form);
    /// The printout of `set` in the code page of `codec`; nothing when a text cannot be written in it, as the
    /// printout would show another letter in its place.
    static std::optional<std::string> render(const MessageSet& set, const Headings& headings, const ITextCodec& codec);

private:
    Form1& m_form;
};
