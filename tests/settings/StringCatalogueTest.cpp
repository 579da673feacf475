// The string catalogue: ids and offsets of the eleven languages, the English table, and translations of their own.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "settings/StringCatalogue.h"

namespace {

std::set<int> expectedOffsets(bool greek) {
    std::set<int> offsets;
    for (int offset = 0; offset <= 890; offset += 10)
        offsets.insert(offset);
    offsets.insert({272, 274, 276});
    if (greek)
        offsets.insert(278);
    return offsets;
}

bool isCodeOffset(int offset) {
    return offset >= 190 && offset <= 278;
}

std::string englishText(int offset) {
    static const StringCatalogue catalogue;
    return catalogue.text(0, offset).value_or("<missing>");
}

/// True when the UTF-8 text holds a letter of the Greek block (U+0370 to U+03FF: lead bytes 0xCD to 0xCF).
bool hasGreekLetter(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0xCD && c <= 0xCF)
            return true;
    }
    return false;
}

bool hasNonAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80)
            return true;
    }
    return false;
}

TEST(StringCatalogue, everyLanguage_hasExactlyItsOffsets_1024TextsInAll) {
    StringCatalogue catalogue;
    // 82 texts of offsets 0 to 780 and 272 to 276 (and 278 in Greek), then the link's 5 texts from 790 on,
    // then the player's text of 840, the trace item's of 850 and the buttons' of 860 to 890.
    EXPECT_EQ(catalogue.size(), 1024u);
    ASSERT_EQ(StringCatalogue::tables().size(), 11u);
    std::set<int> bases;
    for (const LanguageTable* table : StringCatalogue::tables()) {
        std::set<int> offsets;
        for (const CatalogueEntry& entry : table->texts)
            EXPECT_TRUE(offsets.insert(entry.offset).second) << table->code << " repeats offset " << entry.offset;
        EXPECT_EQ(offsets, expectedOffsets(table->lngBase == 10000)) << table->code;
        bases.insert(table->lngBase);
        for (int offset : expectedOffsets(table->lngBase == 10000))
            EXPECT_TRUE(catalogue.text(1000 + table->lngBase + offset)) << table->code << " " << offset;
    }
    EXPECT_EQ(bases, (std::set<int>{0, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000}));
    EXPECT_FALSE(catalogue.text(1000 + 278));
    EXPECT_FALSE(catalogue.text(999));
    EXPECT_FALSE(catalogue.text(1000 + 11000));
    EXPECT_FALSE(catalogue.text(1005));
}

TEST(StringCatalogue, english_isTheTableOfTheProgram) {
    const std::map<int, std::string> expected = {
        {0, "message manager set up"},
        {10, "KVT3310/00 set up"},
        {20, "message upload"},
        {30, " trigger input configuration"},
        {70, "KVT 3310 Tavro message manager set up:"},
        {80, " File"},
        {90, "Open"},
        {100, "Save"},
        {110, "Save as"},
        {120, "Save as text file"},
        {130, "Exit"},
        {140, "Setup"},
        {150, "Com port"},
        {160, "Com1"},
        {170, "Com2"},
        {180, "Language"},
        {190, "zh-s"},
        {200, "zh-t"},
        {210, "en"},
        {220, "fr"},
        {230, "nl"},
        {240, "de"},
        {250, "es"},
        {260, "it"},
        {270, "pt"},
        {272, "cs"},
        {274, "fi"},
        {276, "no"},
        {280, "other"},
        {290, "Help"},
        {300, "Instructions for use"},
        {310, "Contacts"},
        {320, "About Tavro Message Manager"},
        {330, "Message"},
        {340, "Play"},
        {350, "File"},
        {360, "Time"},
        {370, "[s]"},
        {380, "Size"},
        {390, "kB"},
        {400, "Sample"},
        {410, "[Khz]"},
        {420, "Browse"},
        {430, "Trigger"},
        {440, "Play"},
        {450, "Message sequence"},
        {460, "Time"},
        {470, "[s]"},
        {480, "Zones"},
        {490, "Total"},
        {500, "Send messages and configuration"},
        {510, "Com port not connected!"},
        {520, "File is uploading..."},
        {530, "Message and configuration upload successfully!"},
        {540, "Message and configuration upload unsuccessfully!"},
        {550, "Reading data failed!"},
        {560, "Checking data..."},
        {570, "Checking data successfully!"},
        {580, "Checking data failed!"},
        {590, "Erasing data..."},
        {600, "Erasing data successfully!"},
        {610, "Erasing data failed!"},
        {620, "STATUS:"},
        {630, "RS232 PORT:"},
        {640, "Configuration only upload successfully!"},
        {650, "Configuration only upload unsuccessfully!"},
        {660, "%    Remaining Time:"},
        {670, "Message files exceed memory capacity of 8380 KB!"},
        {680, "Word length of wave file is not 16 bit!"},
        {690, "Sample frequency is not in the range of 8...24 kHz!"},
        {700, "The file is not a mono file!"},
        {710, "The file is not a WAVE file!"},
        {720, "The unit cannot be operated while upload is in progress!"},
        {730, "Do you want to save the changes?"},
        {740, "Com port not connected!"},
        {750, "Initial file cannot be found!"},
        {760, "Language file cannot be found!"},
        {770, "Configuration file cannot be found!"},
        {780, "Path of message file is incorrect!"},
        {790, "The port could not be opened:"},
        {800, "The unit does not answer!"},
        {810, "The unit refused the data!"},
        {820, "The reply of the unit is not valid!"},
        {830, "Reading data successfully!"},
        {840, "No sound output is available on this PC: the message cannot be played."},
        {850, "Protocol trace"},
        {860, "OK"},
        {870, "Cancel"},
        {880, "Yes"},
        {890, "No"},
    };
    for (const auto& [offset, text] : expected)
        EXPECT_EQ(englishText(offset), text) << offset;
    EXPECT_EQ(StringCatalogue().text(11278), "el");
}

TEST(StringCatalogue, makerLinesAndFixedTexts_holdInEveryLanguage) {
    StringCatalogue catalogue;
    for (const LanguageTable* table : StringCatalogue::tables()) {
        auto text = [&](int offset) { return catalogue.text(table->lngBase, offset).value_or(""); };
        EXPECT_TRUE(text(40).starts_with("Release 2.0 (05-03)")) << table->code;
        EXPECT_NE(text(40).find("Norvik"), std::string::npos) << table->code;
        EXPECT_NE(text(40).find("©"), std::string::npos) << table->code;
        EXPECT_NE(text(50).find("Norvik"), std::string::npos) << table->code;
        EXPECT_NE(text(60).find("www."), std::string::npos) << table->code;
        EXPECT_NE(text(60).find("3310 900 20005"), std::string::npos) << table->code;
        EXPECT_TRUE(text(660).starts_with("%")) << table->code;
        EXPECT_NE(text(10).find("KVT3310/00"), std::string::npos) << table->code;
        EXPECT_NE(text(70).find("KVT 3310 Tavro"), std::string::npos) << table->code;
        for (int offset = 190; offset <= 276; offset += offset < 270 ? 10 : 2)
            EXPECT_EQ(text(offset), englishText(offset)) << table->code << " code " << offset;
    }
}

TEST(StringCatalogue, noTextEmpty_norWithStrayBlanksBeyondEnglish) {
    StringCatalogue catalogue;
    for (const LanguageTable* table : StringCatalogue::tables()) {
        for (const CatalogueEntry& entry : table->texts) {
            const std::string text = entry.text;
            const std::string english = englishText(entry.offset);
            if (english.empty())
                continue;
            EXPECT_FALSE(text.empty()) << table->code << " " << entry.offset;
            // A leading blank belongs to the layout of two texts; any other edge blank is a slip.
            EXPECT_EQ(text.front() == ' ', english.front() == ' ') << table->code << " " << entry.offset;
            EXPECT_NE(text.back(), ' ') << table->code << " " << entry.offset;
        }
    }
}

TEST(StringCatalogue, eachLanguage_isItsOwnTranslationNotACopyOfEnglish) {
    StringCatalogue catalogue;
    for (const LanguageTable* table : StringCatalogue::tables()) {
        if (table->lngBase == 0)
            continue;
        int compared = 0, same = 0;
        std::set<std::string> texts;
        for (const CatalogueEntry& entry : table->texts) {
            if (isCodeOffset(entry.offset))
                continue;
            ++compared;
            if (englishText(entry.offset) == entry.text)
                ++same;
            texts.insert(entry.text);
        }
        // Units, port names and a few words the languages share may equal the English; little else may.
        EXPECT_LE(same, 12) << table->code << ": " << same << " of " << compared << " texts are the English ones";
        EXPECT_NE(catalogue.text(table->lngBase, 760), englishText(760)) << table->code;
        EXPECT_NE(catalogue.text(table->lngBase, 730), englishText(730)) << table->code;
        EXPECT_NE(catalogue.text(table->lngBase, 70), englishText(70)) << table->code;
        for (const LanguageTable* other : StringCatalogue::tables()) {
            if (other == table || other->lngBase == 0)
                continue;
            EXPECT_NE(catalogue.text(table->lngBase, 760), catalogue.text(other->lngBase, 760))
                << table->code << " and " << other->code << " share their texts";
        }
    }
}

TEST(StringCatalogue, greekAndCzech_areWrittenInTheirOwnLetters) {
    StringCatalogue catalogue;
    int greek = 0, czech = 0;
    for (int offset : {330, 340, 420, 450, 480, 490, 500, 730, 760})
        greek += hasGreekLetter(catalogue.text(10000, offset).value_or("")) ? 1 : 0;
    EXPECT_EQ(greek, 9);
    for (int offset : {90, 300, 340, 530, 660, 760, 780})
        czech += hasNonAscii(catalogue.text(7000, offset).value_or("")) ? 1 : 0;
    EXPECT_EQ(czech, 7);
    EXPECT_EQ(catalogue.text(7000, 90), "Otevřít");
    EXPECT_FALSE(hasGreekLetter(catalogue.text(3000, 760).value_or("")));
}

}  // namespace
