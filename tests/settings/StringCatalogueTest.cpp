// The string catalogue: ids and offsets of the eleven languages, their codes, texts that survive a language file,
// and translations of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/IFileSystem.h"
#include "settings/BuiltInLanguages.h"
#include "settings/CodePageCodec.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageTemplate.h"
#include "settings/StringCatalogue.h"

namespace {

std::set<int> expectedOffsets(bool greek) {
    std::set<int> offsets;
    for (int offset = 0; offset <= 910; offset += 10)
        offsets.insert(offset);
    offsets.insert({272, 274, 276, 920, 930, 940, 941, 942, 943, 944, 945, 950, 960, 970, 980, 990});
    // Reading a unit back (901 to 909, 911 to 914) and a set carried with its files (921 to 927).
    for (int offset :
         {901, 902, 903, 904, 905, 906, 907, 908, 909, 911, 912, 913, 914, 921, 922, 923, 924, 925, 926, 927})
        offsets.insert(offset);
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

/// A file's content as the language file reader takes it.
class ContentSource : public IByteSource {
public:
    explicit ContentSource(std::string content) : m_content(std::move(content)) {}
    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, m_content.size() - m_at);
        std::copy_n(m_content.begin() + static_cast<std::ptrdiff_t>(m_at), n, buffer);
        m_at += n;
        return n;
    }
    std::uint64_t size() const override { return m_content.size(); }

private:
    std::string m_content;
    std::size_t m_at = 0;
};

bool hasNonAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80)
            return true;
    }
    return false;
}

TEST(StringCatalogue, everyLanguage_hasExactlyItsOffsets_1409TextsInAll) {
    StringCatalogue catalogue;
    // 82 texts of offsets 0 to 780 and 272 to 276 (and 278 in Greek), then the link's 5 texts from 790 on,
    // then the player's text of 840, the trace item's of 850, the buttons' of 860 to 890, the questions of 900
    // and 910, reading a unit back (901 to 909, 911 to 914), the texts of files that fail (920 to 940, 960), the
    // texts of a set carried with its files (921 to 927), the unknown code page's of 941, the conversion offer's
    // of 942 and 945, the connection picture's tips of 943 and 944, the lost port's of 950 and the stopped
    // upload's of 970 to 990. An offset of 1000 or more would be another language's.
    EXPECT_EQ(catalogue.size(), 1409u);
    ASSERT_EQ(StringCatalogue::tables().size(), 11u);
    std::set<int> bases;
    for (const LanguageTable* table : StringCatalogue::tables()) {
        std::set<int> offsets;
        for (const CatalogueEntry& entry : table->texts) {
            EXPECT_TRUE(offsets.insert(entry.offset).second) << table->code << " repeats offset " << entry.offset;
            EXPECT_LT(entry.offset, 1000) << table->code;
        }
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

TEST(StringCatalogue, languageCodes_nameTheBuiltInLanguagesInMenuOrderInEveryLanguage) {
    StringCatalogue catalogue;
    const auto tables = StringCatalogue::tables();
    for (const BuiltInLanguage& language : BuiltInLanguages::all()) {
        const auto own = std::find_if(tables.begin(), tables.end(),
                                      [&](const LanguageTable* t) { return t->lngBase == language.lngBase; });
        ASSERT_NE(own, tables.end()) << language.code;
        EXPECT_EQ((*own)->code, std::string(language.code));
        // Menu items 0 to 6 at offsets 210 to 270, then 272 on in steps of 2; Greek alone holds its own 278.
        const int offset = language.menuIndex <= 6 ? 210 + 10 * language.menuIndex : 258 + 2 * language.menuIndex;
        for (const LanguageTable* table : tables) {
            if (offset != 278 || table == *own) {
                EXPECT_EQ(catalogue.text(table->lngBase, offset), language.code) << table->code;
            }
        }
    }
}

TEST(StringCatalogue, everyLanguage_writtenAsALanguageFileInItsCodePage_readsBackAsTheSameTexts) {
    for (const LanguageTable* table : StringCatalogue::tables()) {
        const CodePageCodec codec(LanguageTemplate::codePageOf(table->lngBase));
        std::vector<std::pair<std::string, std::string>> lines;
        for (const CatalogueEntry& entry : table->texts)
            lines.emplace_back("T" + std::to_string(entry.offset), entry.text);
        const std::string content = LanguageFile::write(codec, lines);
        ASSERT_FALSE(content.empty()) << table->code << ": a text its code page cannot hold";
        ContentSource file(content);
        const auto texts = LanguageFile::read(file, codec, lines.size());
        ASSERT_TRUE(texts) << table->code;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            // The format drops the blank that leads a text such as " File".
            const std::string& text = lines[i].second;
            EXPECT_EQ((*texts)[i], text.starts_with(' ') ? text.substr(1) : text)
                << table->code << " " << lines[i].first;
        }
    }
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
    for (const LanguageTable* table : StringCatalogue::tables()) {
        for (const CatalogueEntry& entry : table->texts) {
            const std::string text = entry.text;
            const std::string english = englishText(entry.offset);
            ASSERT_FALSE(text.empty()) << table->code << " " << entry.offset;
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
