// kvt3310-cli upload's exit status follows the upload's outcome whatever words the language gives it; in process,
// with the emulated unit at the fake port.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CliProgram.h"
#include "HeadlessPlatform.h"
#include "support/EmulatorPeer.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

namespace {

struct UploadExitStatus : ::testing::Test {
    TestPlatform test;
    std::ostringstream out;
    std::ostringstream err;
    HeadlessPlatform headless{err,
                              {test.folder.path(), test.events, test.clock, test.serial, test.ports, test.converter}};
    std::unique_ptr<EmulatorPeer> unit;

    /// A language file of its own: the English failure text, but both success texts left blank.
    void SetUp() override {
        std::string language;
        for (int line = 1; line <= 82; ++line) {
            std::string text = "text " + std::to_string(line);
            if (line == 57 || line == 68)
                text.clear();
            else if (line == 58)
                text = "Message and configuration upload unsuccessfully!";
            else if (line == 66)
                text = "STATUS:";
            else if (line == 70)
                text = "%    Remaining Time:";
            language += "Line" + std::to_string(line) + "=" + text + "\r\n";
        }
        writeFileBytes(test.folder.file("blank.lng"), std::vector<std::uint8_t>(language.begin(), language.end()));
        writeFileBytes(test.folder.file("gong.wav"), waveFileBytes(16044, 8000, 1));
        ASSERT_EQ(cli({"compose", "-o", test.folder.file("set.cfg"), "--message", "1=" + test.folder.file("gong.wav")}),
                  0)
            << err.str();
    }
    int cli(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return CliProgram(out, err, headless).run(args);
    }
    int upload() {
        return cli(
            {"--language", test.folder.file("blank.lng"), "upload", test.folder.file("set.cfg"), "--port", "COM1"});
    }
};

TEST_F(UploadExitStatus, successTextsLeftBlank_aDoneUploadStillExitsZeroAndARefusedOneOne) {
    unit = std::make_unique<EmulatorPeer>(test.serial);
    EXPECT_EQ(upload(), 0) << err.str();
    EXPECT_EQ(out.str(), "STATUS: \n");

    // The table read back is frame 1; "P" and its repeat are refused.
    unit.reset();
    UnitFaults faults;
    faults.nakFrames = {2, 3};
    unit = std::make_unique<EmulatorPeer>(test.serial, faults);
    EXPECT_EQ(upload(), 1);
    EXPECT_EQ(out.str(), "STATUS: Message and configuration upload unsuccessfully! The unit refused the data!\n");
}

TEST_F(UploadExitStatus, portLostUnderTheUploadOrTheReading_exitsOneAtOnceNamingThePort) {
    unit = std::make_unique<EmulatorPeer>(test.serial);
    const std::string lost = "The PC's serial port was lost (adapter unplugged?): COM1: unplugged";
    test.serial.vanishAfter(5, "unplugged");
    // The language file has no line for the text: it is English.
    EXPECT_EQ(upload(), 1);
    EXPECT_EQ(out.str(), "STATUS: Message and configuration upload unsuccessfully! " + lost + "\n");
    EXPECT_EQ(test.clock.steadyMs(), 0);

    test.serial.vanishAfter(1, "unplugged");
    EXPECT_EQ(cli({"read-tables", "--port", "COM1"}), 1);
    EXPECT_NE(err.str().find("the unit's tables could not be read: " + lost), std::string::npos) << err.str();
    EXPECT_EQ(test.clock.steadyMs(), 0);
}

}  // namespace
