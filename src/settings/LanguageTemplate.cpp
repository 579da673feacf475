#include "settings/LanguageTemplate.h"

#include <array>
#include <utility>
#include <vector>

#include "settings/CodePages.h"
#include "settings/LanguageFile.h"
#include "settings/StringCatalogue.h"

namespace {

/// Labels of lines 11 to 82: where `OpenLng` puts each text.
constexpr std::array<const char*, 72> kLabels = {"Caption",
                                                 "File",
                                                 "Open",
                                                 "Save",
                                                 "Save_as",
                                                 "Save_as_text_file",
                                                 "Exit",
                                                 "Setup",
                                                 "Comport",
                                                 "Com1",
                                                 "Com2",
                                                 "Language",
                                                 "Lng_zh-s",
                                                 "Lng_zh-t",
                                                 "LngSel0",
                                                 "LngSel1",
                                                 "LngSel2",
                                                 "LngSel3",
                                                 "LngSel4",
                                                 "LngSel5",
                                                 "LngSel6",
                                                 "other",
                                                 "Help",
                                                 "Instructions_for_use",
                                                 "Contacts",
                                                 "About",
                                                 "Frame1_0",
                                                 "Lb_Message_Play",
                                                 "Lb_Message_File",
                                                 "Lb_Message_Time0",
                                                 "Lb_Message_Time1",
                                                 "Lb_Message_Size0",
                                                 "Lb_Message_Size1",
                                                 "Lb_Message_Sample0",
                                                 "Lb_Message_Sample1",
                                                 "Bt_Browse",
                                                 "Frame1_1",
                                                 "Lb_Trigger_Play",
                                                 "Lb_Trigger_Ms",
                                                 "Lb_Trigger_Time0",
                                                 "Lb_Trigger_Time1",
                                                 "Lb_Trigger_Zones",
                                                 "Lb_Total",
                                                 "Bt_SendMessage",
                                                 "StatusText0",
                                                 "StatusText1",
                                                 "StatusText2",
                                                 "StatusText3",
                                                 "StatusText4",
                                                 "StatusText5",
                                                 "StatusText6",
                                                 "StatusText7",
                                                 "StatusText8",
                                                 "StatusText9",
                                                 "StatusText10",
                                                 "StatusText11",
                                                 "StatusText12",
                                                 "StatusText13",
                                                 "StatusText14",
                                                 "StatusText15",
                                                 "MsgText0",
                                                 "MsgText1",
                                                 "MsgText2",
                                                 "MsgText3",
                                                 "MsgText4",
                                                 "MsgText5",
                                                 "MsgText6",
                                                 "MsgText7",
                                                 "MsgText8",
                                                 "MsgText9",
                                                 "MsgText10",
                                                 "MsgText11"};

}  // namespace

int LanguageTemplate::codePageOf(std::int16_t lngBase) {
    return CodePages::ofLanguage(lngBase);
}

std::string LanguageTemplate::content(const StringCatalogue& catalogue, std::int16_t lngBase, const ITextCodec& codec) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (int k = 0; k < static_cast<int>(LanguageFile::kSplashLines); ++k) {
        std::string text;
        if (k <= 6) {
            auto found = catalogue.text(lngBase, 10 * k);
            if (!found)
                return {};
            text = *found;
        }
        lines.emplace_back("Lb_Logo" + std::to_string(k), text);
    }
    for (int offset = 70; offset <= 780; offset += 10) {
        auto found = catalogue.text(lngBase, offset);
        if (!found)
            return {};
        lines.emplace_back(kLabels[static_cast<std::size_t>((offset - 70) / 10)], *found);
    }
    return LanguageFile::write(codec, lines);
}
