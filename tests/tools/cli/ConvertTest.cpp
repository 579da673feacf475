// kvt3310-cli convert: studio-format inputs made into the unit's format, each then taken by info.
#include "CliFixture.h"
#include "support/WaveBytes.h"

using namespace WaveBytes;

class ConvertTest : public CliFixture {
protected:
    /// The header the unit takes, written from the rules: RIFF size, "WAVE", a 16-byte PCM "fmt " of one
    /// 16-bit channel, and "data" right after it.
    static std::string expectedHeader(std::uint32_t rate, std::uint32_t dataBytes) {
        return "RIFF" + le32(36 + dataBytes) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(rate) + le32(rate * 2) +
               le16(2) + le16(16) + "data" + le32(dataBytes);
    }
    void expectCanonical(const std::string& bytes, std::uint32_t rate) {
        ASSERT_GE(bytes.size(), 44u);
        EXPECT_EQ(bytes.substr(0, 44), expectedHeader(rate, static_cast<std::uint32_t>(bytes.size() - 44)));
    }
};

TEST_F(ConvertTest, stereoFloatAt44100_becomesMonoAt22050AndPassesInfo) {
    writeBytes(file("studio.wav"),
               riff(chunk("fmt ", fmt(3, 2, 44100, 32)) + chunk("data", toneFloat(44100, 44100, 2))));
    auto run = cli({"convert", "studio.wav", "-o", "unit.wav"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string out = readBytes(file("unit.wav"));
    expectCanonical(out, 22050);
    // Resampling by one half keeps the length to within a few samples.
    EXPECT_NEAR(static_cast<double>(out.size() - 44), 44100.0, 20.0);
    auto info = cli({"info", "unit.wav"});
    EXPECT_EQ(info.status, 0) << info.out;
    EXPECT_NE(info.out.find(": 1.00 s, "), std::string::npos) << info.out;
    EXPECT_NE(info.out.find(", 22.050 kHz"), std::string::npos) << info.out;
}

TEST_F(ConvertTest, extensibleHeader_keepsAnAcceptedRateAndPassesInfo) {
    writeBytes(file("ext.wav"),
               riff(chunk("fmt ", fmtExtensible(2, 16000, 16)) + chunk("data", tone16(32000, 16000, 2))));
    auto before = cli({"info", "ext.wav"});
    EXPECT_EQ(before.status, 1);
    auto run = cli({"convert", "ext.wav", "-o", "unit.wav"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string out = readBytes(file("unit.wav"));
    expectCanonical(out, 16000);
    // Two equal channels mix down to the same samples.
    EXPECT_EQ(out.substr(44), tone16(32000, 16000, 1));
    auto info = cli({"info", "unit.wav"});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, "unit.wav: 2.00 s, 64 kB (64050 bytes), 16.000 kHz\n");
}

TEST_F(ConvertTest, listChunkBeforeFormat_isDroppedAndTheSoundKept) {
    std::string list = chunk("LIST", "INFO" + chunk("INAM", "Gong"));
    const std::string sound = tone16(8000, 8000, 1);
    writeBytes(file("tagged.wav"), riff(list + chunk("fmt ", fmt(1, 1, 8000, 16)) + chunk("data", sound)));
    // The editor reads the fixed offsets of the canonical header, which the LIST chunk has moved.
    EXPECT_EQ(cli({"info", "tagged.wav"}).status, 1);
    auto run = cli({"convert", "tagged.wav", "-o", "unit.wav"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(file("unit.wav")), expectedHeader(8000, 16000) + sound);
    auto info = cli({"info", "unit.wav"});
    EXPECT_EQ(info.out, "unit.wav: 1.00 s, 16 kB (16100 bytes), 8.000 kHz\n");
}

TEST_F(ConvertTest, rateOption_resamplesToTheRateAsked) {
    writeBytes(file("in.wav"), canonical(16000, 32000));
    auto run = cli({"convert", "in.wav", "--rate", "8000", "-o", "out.wav"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string out = readBytes(file("out.wav"));
    expectCanonical(out, 8000);
    EXPECT_NEAR(static_cast<double>(out.size() - 44), 16000.0, 8.0);
}

TEST_F(ConvertTest, unreadableInput_failsAndWritesNothing) {
    writeBytes(file("junk.wav"), "not a sound file at all");
    auto run = cli({"convert", "junk.wav", "-o", "out.wav"});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(listing(), std::vector<std::string>{"junk.wav"});
}

TEST_F(ConvertTest, loudFloatSamples_clipInsteadOfWrapping) {
    std::string loud;
    for (float s : {2.0f, -2.0f}) {
        std::uint32_t bits;
        std::memcpy(&bits, &s, 4);
        loud += le32(bits);
    }
    writeBytes(file("loud.wav"), riff(chunk("fmt ", fmt(3, 1, 8000, 32)) + chunk("data", loud)));
    ASSERT_EQ(cli({"convert", "loud.wav", "-o", "out.wav"}).status, 0);
    EXPECT_EQ(readBytes(file("out.wav")).substr(44), le16(0x7FFF) + le16(0x8000));
}
