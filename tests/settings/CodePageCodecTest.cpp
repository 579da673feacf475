// The code pages 1252, 1250 and 1253: known letters both ways, every defined byte round-trips, undefined bytes,
// characters a code page cannot hold, and which code page holds when (settings, system, active language).
#include <gtest/gtest.h>

#include <vector>

#include "settings/CodePageCodec.h"
#include "shell/Application.h"
#include "support/TestPlatform.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

/// Bytes from 0x80 that a code page leaves undefined, from its published chart.
std::vector<int> undefinedBytes(int codePage) {
    switch (codePage) {
        case 1252:
            return {0x81, 0x8D, 0x8F, 0x90, 0x9D};
        case 1250:
            return {0x81, 0x83, 0x88, 0x90, 0x98};
        default:
            return {0x81, 0x88, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x98,
                    0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xAA, 0xD2, 0xFF};
    }
}

TEST(CodePageCodec, windows1252_knownLettersBothWays) {
    const CodePageCodec codec(1252);
    // ä ö ü ß é, the euro sign, en dash, copyright sign, Š, Ÿ, ™.
    const std::string bytes = "\xE4\xF6\xFC\xDF\xE9 \x80\x96\xA9\x8A\x9F\x99\r\n";
    EXPECT_EQ(codec.toUtf8(bytes), "äöüßé €–©ŠŸ™\r\n");
    EXPECT_EQ(codec.fromUtf8Exact("äöüßé €–©ŠŸ™\r\n"), bytes);
    EXPECT_EQ(codec.fromUtf8Exact("plain ASCII=1"), "plain ASCII=1");
    EXPECT_EQ(codec.toUtf8(""), "");
}

TEST(CodePageCodec, windows1250_czechLettersBothWays) {
    const CodePageCodec codec(1250);
    // Jiří Čermák: J i ř 0xF8 í 0xED, Č 0xC8, á 0xE1; then š 0x9A, ž 0x9E, Ů 0xD9, ů 0xF9, ě 0xEC, Ł 0xA3.
    const std::string bytes = "Ji\xF8\xED \xC8\x65rm\xE1k \x9A\x9E\xD9\xF9\xEC\xA3";
    EXPECT_EQ(codec.toUtf8(bytes), "Jiří Čermák šžŮůěŁ");
    EXPECT_EQ(codec.fromUtf8Exact("Jiří Čermák šžŮůěŁ"), bytes);
}

TEST(CodePageCodec, windows1253_greekLettersBothWays) {
    const CodePageCodec codec(1253);
    // Μήνυμα: Μ 0xCC, ή 0xDE, ν 0xED, υ 0xF5, μ 0xEC, α 0xE1; then Ω 0xD9, ς 0xF2, ΐ 0xC0, Ά 0xA2, ώ 0xFE.
    const std::string bytes = "\xCC\xDE\xED\xF5\xEC\xE1 \xD9\xF2\xC0\xA2\xFE";
    EXPECT_EQ(codec.toUtf8(bytes), "Μήνυμα ΩςΐΆώ");
    EXPECT_EQ(codec.fromUtf8Exact("Μήνυμα ΩςΐΆώ"), bytes);
}

TEST(CodePageCodec, everyDefinedByte_roundTrips_undefinedBytesReadAsReplacement) {
    for (int codePage : {1252, 1250, 1253}) {
        SCOPED_TRACE(codePage);
        const CodePageCodec codec(codePage);
        const std::vector<int> undefined = undefinedBytes(codePage);
        for (int b = 0; b <= 0xFF; ++b) {
            const std::string byte(1, static_cast<char>(b));
            const std::string text = codec.toUtf8(byte);
            if (std::find(undefined.begin(), undefined.end(), b) != undefined.end()) {
                EXPECT_EQ(text, kReplacement) << "byte " << b;
                EXPECT_FALSE(codec.fromUtf8Exact(text));
            } else {
                EXPECT_NE(text, kReplacement) << "byte " << b;
                EXPECT_EQ(codec.fromUtf8Exact(text), byte) << "byte " << b;
            }
        }
    }
}

TEST(CodePageCodec, charactersTheCodePageLacks_areRefused_orQuestionMarksWhereOnlyMatched) {
    const CodePageCodec western(1252);
    EXPECT_FALSE(western.fromUtf8Exact("C:\\Jiří\\a.wav"));
    EXPECT_FALSE(western.fromUtf8Exact("Μήνυμα"));
    EXPECT_FALSE(western.fromUtf8Exact("emoji 😀"));
    EXPECT_FALSE(western.fromUtf8Exact("bad \xC3 utf8"));
    EXPECT_FALSE(western.fromUtf8Exact("overlong \xC1\x81"));
    EXPECT_EQ(western.fromUtf8("a Ωmega ř\r\nnext 😀"), "a ?mega ?\r\nnext ?");
    EXPECT_FALSE(CodePageCodec(1253).fromUtf8Exact("Größe"));
    EXPECT_FALSE(CodePageCodec(1250).fromUtf8Exact("Ω"));
    EXPECT_EQ(CodePageCodec(1250).fromUtf8Exact("Größe"),
              "Gr\xF6\xDF"
              "e");
}

TEST(CodePageCodec, withNoCodePageFixed_followsTheActiveLanguage) {
    CodePageCodec codec;
    EXPECT_EQ(codec.codePage(), 1252);
    std::int16_t lngBase = 10000;
    codec.followLanguage(&lngBase);
    EXPECT_EQ(codec.codePage(), 1253);
    EXPECT_EQ(codec.fromUtf8Exact("Αρχείο"), "\xC1\xF1\xF7\xE5\xDF\xEF");
    lngBase = 7000;
    EXPECT_EQ(codec.codePage(), 1250);
    for (std::int16_t western : {0, 1000, 2000, 3000, 4000, 5000, 6000, 8000, 9000}) {
        lngBase = western;
        EXPECT_EQ(codec.codePage(), 1252) << western;
    }
    lngBase = 10000;
    EXPECT_TRUE(codec.setCodePage(1250));
    EXPECT_EQ(codec.codePage(), 1250);
    EXPECT_FALSE(codec.setCodePage(65001));
    EXPECT_EQ(codec.codePage(), 1250);
}

TEST(CodePageCodec, choose_settingsOverrideTheSystem_theSystemTheLanguage) {
    TestPlatform test;
    const std::string settings = test.folder.file("KVT3310.INI");
    std::int16_t greek = 10000;
    auto chosen = [&](std::optional<int> system) {
        CodePageCodec codec;
        codec.followLanguage(&greek);
        codec.choose(test.fs, system);
        return codec.codePage();
    };
    EXPECT_EQ(chosen(std::nullopt), 1253);
    EXPECT_EQ(chosen(1250), 1250);
    // A system code page the program has no table for leaves the language's.
    EXPECT_EQ(chosen(932), 1253);
    for (const char* bad : {"CodePage=99999\r\n", "CodePage=12x\r\n", "CodePage=\r\n"}) {
        ASSERT_TRUE(test.fs.writeFileAtomic(settings, std::string("[File paths]\r\n") + bad));
        EXPECT_EQ(chosen(std::nullopt), 1253) << bad;
        EXPECT_EQ(chosen(1252), 1252) << bad;
    }
    ASSERT_TRUE(test.fs.writeFileAtomic(settings, "[Com settings]\r\nCommport=1\r\n[File paths]\r\ncodepage=1250\r\n"));
    EXPECT_EQ(chosen(std::nullopt), 1250);
    EXPECT_EQ(chosen(1252), 1250);
}

TEST(CodePageCodec, application_fixesItsLanguagesCodePageAtStart) {
    TestPlatform test;
    CodePageCodec codec;
    Platform withCodec = test.platformWith(test.fs, codec);
    {
        Application application(withCodec);
        ASSERT_TRUE(
            test.fs.writeFileAtomic(test.folder.file("KVT3310.INI"), "[File paths]\r\nLanguageFile=cs.lng\r\n"));
        EXPECT_EQ(codec.codePage(), 1252);
        application.StartUp();
        EXPECT_EQ(codec.codePage(), 1250);
        application.app().LngBase = 10000;
        EXPECT_EQ(codec.codePage(), 1250);
    }
    EXPECT_EQ(codec.codePage(), 1250);
}

}  // namespace
