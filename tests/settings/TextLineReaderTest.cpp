// Reading a text file line by line: every kind of line end, also where a block of the file ends between CR
// and LF, and the stop at a line that is too long.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/IFileSystem.h"
#include "settings/TextLineReader.h"

namespace {

/// The bytes of a text, handed out at most `piece` at a time.
class PieceSource : public IByteSource {
public:
    PieceSource(std::string bytes, std::size_t piece) : m_bytes(std::move(bytes)), m_piece(piece) {}
    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, m_piece, m_bytes.size() - m_pos});
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    std::uint64_t size() const override { return m_bytes.size(); }

private:
    std::string m_bytes;
    std::size_t m_piece;
    std::size_t m_pos = 0;
};

std::vector<std::string> linesOf(const std::string& bytes, std::size_t piece, std::size_t maxLength = 100) {
    PieceSource source(bytes, piece);
    TextLineReader reader(source, maxLength);
    std::vector<std::string> lines;
    while (auto line = reader.next())
        lines.push_back(*line);
    EXPECT_FALSE(reader.tooLong());
    EXPECT_TRUE(reader.complete());
    return lines;
}

TEST(TextLineReader, crLfLoneCrAndLoneLf_eachEndALine_inAnyPieces) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{1000}}) {
        SCOPED_TRACE(piece);
        EXPECT_EQ(linesOf("a\r\nb\rc\nd", piece), (std::vector<std::string>{"a", "b", "c", "d"}));
        EXPECT_EQ(linesOf("a\r\n\r\nb\r\n", piece), (std::vector<std::string>{"a", "", "b"}));
        EXPECT_EQ(linesOf("\r\r", piece), (std::vector<std::string>{"", ""}));
        EXPECT_EQ(linesOf("x\r\r\n", piece), (std::vector<std::string>{"x", ""}));
        EXPECT_TRUE(linesOf("", piece).empty());
    }
}

TEST(TextLineReader, crAtTheEndOfABlock_andLfAtTheStartOfTheNext_endOneLine) {
    // The reader takes 64 KiB at a time: the CR is the block's last byte, the LF the next block's first.
    const std::string first(64 * 1024 - 1, 'a');
    const std::string bytes = first + "\r\nb\r\n";
    EXPECT_EQ(linesOf(bytes, 1 << 20, 1 << 20), (std::vector<std::string>{first, "b"}));
}

TEST(TextLineReader, lineLongerThanAllowed_stopsTheReading) {
    PieceSource source("short\r\n" + std::string(11, 'x') + "\r\nafter\r\n", 4);
    TextLineReader reader(source, 10);
    EXPECT_EQ(reader.next(), "short");
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_TRUE(reader.tooLong());
    EXPECT_EQ(reader.next(), std::nullopt);

    PieceSource exact(std::string(10, 'x'), 4);
    TextLineReader fits(exact, 10);
    EXPECT_EQ(fits.next(), std::string(10, 'x'));
    EXPECT_FALSE(fits.tooLong());
}

}  // namespace
