// Reading language files: line ends, the text after the first "=", blanks, short files, files too large.
#include <gtest/gtest.h>

#include "settings/LanguageFile.h"
#include "settings/TextLines.h"
#include "support/CountingFileSystem.h"
#include "support/TestPlatform.h"

namespace {

std::vector<std::string> texts(std::string_view content) {
    std::vector<std::string> result;
    for (auto line : TextLines::split(content))
        result.emplace_back(LanguageFile::lineText(line));
    return result;
}

TEST(LanguageFile, lineEnds_crLfCrAloneAndLfAloneEachEndALine) {
    EXPECT_EQ(texts("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(texts("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(texts("\r\r"), (std::vector<std::string>{"", ""}));
    EXPECT_TRUE(texts("").empty());
}

TEST(LanguageFile, lineText_isAfterTheFirstEqualsWithSpacesTrimmed) {
    EXPECT_EQ(LanguageFile::lineText("Caption =  KVT 3310 set up:  "), "KVT 3310 set up:");
    EXPECT_EQ(LanguageFile::lineText("formula==a=b"), "=a=b");
    EXPECT_EQ(LanguageFile::lineText("   no label here  "), "no label here");
    EXPECT_EQ(LanguageFile::lineText("empty=   "), "");
    EXPECT_EQ(LanguageFile::lineText("tab=\tkept\t"), "\tkept\t");
    EXPECT_EQ(LanguageFile::lineText(""), "");
}

TEST(LanguageFile, read_givesTheFirstLinesDecoded_orNothingWhenShortOrMissing) {
    TestPlatform test;
    const std::string path = test.folder.file("own.lng");
    ASSERT_TRUE(test.fs.writeFileAtomic(path,
                                        "1=Gr\xfc\xdf"
                                        "e\r\n2=two\r\n3=three\r\n"));
    auto two = LanguageFile::read(test.fs, test.codec, path, 2);
    ASSERT_TRUE(two);
    EXPECT_EQ(*two, (std::vector<std::string>{"Grüße", "two"}));
    EXPECT_TRUE(LanguageFile::read(test.fs, test.codec, path, 3));
    EXPECT_FALSE(LanguageFile::read(test.fs, test.codec, path, 4));
    EXPECT_FALSE(LanguageFile::read(test.fs, test.codec, test.folder.file("none.lng"), 1));
    EXPECT_FALSE(LanguageFile::read(test.fs, test.codec, "", 1));
}

TEST(LanguageFile, write_givesLabelEqualsTextLinesEndedByCrLf) {
    Latin1Codec codec;
    EXPECT_EQ(LanguageFile::write(codec, {{"Lb_Logo0", "Größe"}, {"File", " File"}}),
              "Lb_Logo0=Gr\xf6\xdf"
              "e\r\nFile= File\r\n");
    EXPECT_EQ(LanguageFile::lineOfOffset(70), 11u);
    EXPECT_EQ(LanguageFile::lineOfOffset(210), 25u);
    EXPECT_EQ(LanguageFile::lineOfOffset(780), 82u);
}

}  // namespace

namespace {

TEST(LanguageFile, filesThatCannotBeLanguageFiles_areRefusedAfterReadingLittle) {
    TestPlatform test;
    CountingFileSystem counted(test.fs);
    const std::string path = test.folder.file("big.lng");
    std::string lines81;
    for (int i = 1; i <= 81; ++i)
        lines81 += "Line" + std::to_string(i) + "=text\r\n";
    const std::vector<RepeatedFile> cases = {
        {"0 bytes", "", 0}, {"81 lines", lines81, 1}, {"one line of 50 MB", "xxxxxxxxxx", 5000000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeRepeated(path, c.pattern, c.copies);
        counted.reset();
        EXPECT_FALSE(LanguageFile::read(counted, test.codec, path, LanguageFile::kLines));
        EXPECT_LT(counted.bytesRead(), 200000u);
    }
    // Lines after line 82 are never read, however many there are.
    writeRepeated(path, "label=text\r", 1000000);
    counted.reset();
    auto texts = LanguageFile::read(counted, test.codec, path, LanguageFile::kLines);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->size(), LanguageFile::kLines);
    EXPECT_EQ(texts->back(), "text");
    EXPECT_LT(counted.bytesRead(), 200000u);
}

TEST(LanguageFile, write_refusesATextTheCodePageCannotHold) {
    Latin1Codec codec;
    EXPECT_EQ(LanguageFile::write(codec, {{"File", "Datei"}, {"Message", "Μήνυμα"}}), "");
}

}  // namespace
