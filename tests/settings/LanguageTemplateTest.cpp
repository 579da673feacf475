// The language file templates written from the catalogue: 82 labelled lines that read back as the catalogue's texts.
#include <gtest/gtest.h>

#include "settings/CodePageCodec.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageTemplate.h"
#include "settings/StringCatalogue.h"
#include "settings/TextLines.h"
#include "support/TestPlatform.h"

namespace {

TEST(LanguageTemplate, german_hasTheSplashLinesThenTheTextsOfOffsets70To780) {
    Latin1Codec codec;
    StringCatalogue catalogue;
    const std::string content = LanguageTemplate::content(catalogue, 3000, codec);
    auto lines = TextLines::split(content);
    ASSERT_EQ(lines.size(), 82u);
    EXPECT_EQ(content.substr(content.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "Lb_Logo0=Durchsagen-Manager Einrichtung");
    EXPECT_EQ(lines[7], "Lb_Logo7=");
    EXPECT_EQ(lines[9], "Lb_Logo9=");
    EXPECT_EQ(lines[10], "Caption=KVT 3310 Tavro Durchsagen-Manager Einrichtung:");
    EXPECT_EQ(lines[11], "File= Datei");
    EXPECT_EQ(lines[12],
              "Open=\xD6"
              "ffnen");
    EXPECT_EQ(lines[24], "LngSel0=en");
    EXPECT_EQ(lines[31], "other=andere");
    EXPECT_EQ(lines[81], "MsgText11=Pfad der Durchsagedatei ist falsch!");
    for (int offset = 70; offset <= 780; offset += 10) {
        auto text = catalogue.text(3000, offset);
        ASSERT_TRUE(text.has_value()) << offset;
        std::string expected = text->starts_with(' ') ? text->substr(1) : *text;
        EXPECT_EQ(codec.toUtf8(LanguageFile::lineText(lines[LanguageFile::lineOfOffset(offset) - 1])), expected)
            << offset;
    }
}

TEST(LanguageTemplate, everyLanguage_readsBackThroughOpenLngsReaderInItsCodePage) {
    TestPlatform test;
    StringCatalogue catalogue;
    for (const LanguageTable* table : StringCatalogue::tables()) {
        const CodePageCodec codec(LanguageTemplate::codePageOf(table->lngBase));
        const std::string content = LanguageTemplate::content(catalogue, table->lngBase, codec);
        ASSERT_FALSE(content.empty()) << table->code;
        const std::string path = test.folder.file(std::string(table->code) + ".lng");
        ASSERT_TRUE(test.fs.writeFileAtomic(path, content));
        auto texts = LanguageFile::read(test.fs, codec, path, LanguageFile::kLines);
        ASSERT_TRUE(texts) << table->code;
        // The format drops blanks around a text, as in " File".
        for (int offset = 70; offset <= 780; offset += 10) {
            const std::string text = catalogue.text(table->lngBase, offset).value();
            const std::size_t first = text.find_first_not_of(' ');
            const std::string trimmed =
                first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
            EXPECT_EQ((*texts)[LanguageFile::lineOfOffset(offset) - 1], trimmed) << table->code << " " << offset;
        }
    }
    EXPECT_EQ(LanguageTemplate::codePageOf(7000), 1250);
    EXPECT_EQ(LanguageTemplate::codePageOf(10000), 1253);
    EXPECT_EQ(LanguageTemplate::codePageOf(3000), 1252);
    EXPECT_TRUE(LanguageTemplate::content(catalogue, 500, test.codec).empty());
    // Greek letters in the Western code page would be written as other letters: no template at all.
    EXPECT_TRUE(LanguageTemplate::content(catalogue, 10000, CodePageCodec(1252)).empty());
}

}  // namespace
