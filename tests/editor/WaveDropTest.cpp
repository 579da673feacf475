// Files dropped on a slot row, and the offer of a copy in the unit's form for a file the checks refuse.
#include <gtest/gtest.h>

#include "editor/EditorFixture.h"
#include "editor/MessageSlots.h"
#include "settings/StringCatalogue.h"

namespace {

struct WaveDrop : EditorFixture {
    WaveDrop() { form.SaveAsCaption = "Save as"; }

    /// A WAVE file of `channels` channels at `rate` with `bits` per sample, and what it holds for the converter.
    std::string sound(const std::string& name, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                      double seconds = 1.0) {
        WaveFiles::Format f;
        f.channels = channels;
        f.rate = rate;
        f.bits = bits;
        f.dataSize = f.soundBytes = static_cast<std::uint32_t>(seconds * rate) * channels * bits / 8;
        const std::string path = test.folder.file(name);
        WaveFiles::write(path, WaveFiles::bytes(f));
        test.converter.sounds[path] = {{static_cast<int>(rate), channels}, seconds};
        return path;
    }
    void drop(int i, const std::string& path) { editor.slots().WaveFile_OLEDragDrop(i, path); }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& box : test.msgBox.shown)
            out.push_back(box.text);
        return out;
    }
};

TEST(WaveDrop, aValidFileOnTheFirstSlot_isChosenAsBrowseChoosesIt) {
    WaveDrop w;
    ASSERT_TRUE(w.editor.slots().acceptsDrop(1));
    w.drop(1, w.wave("Gong.wav"));
    EXPECT_EQ(w.form.WaveFile[1].text(), "Gong");
    EXPECT_EQ(w.form.FilePath[1], w.test.folder.file("Gong.wav"));
    EXPECT_EQ(w.form.MsgTime[1].caption(), "1.00");
    EXPECT_EQ(w.form.MsgSample[1].caption(), "8.000");
    EXPECT_EQ(w.form.TFileLength, 16100);
    EXPECT_EQ(w.form.TotalSize.caption(), "16");
    EXPECT_TRUE(w.form.MsgBt[1].enabled());
    EXPECT_TRUE(w.form.Bt_Browse[2].enabled());
    EXPECT_EQ(w.stepList(1), (std::vector<std::string>{" ", "1"}));
    EXPECT_EQ(w.app.strWAVFilePath, w.test.folder.slashed());
    EXPECT_TRUE(w.test.fileDialog.requests.empty());
    EXPECT_TRUE(w.test.msgBox.shown.empty());
}

TEST(WaveDrop, slotsThatBrowseMayNotFill_takeNoDrop) {
    WaveDrop w;
    EXPECT_FALSE(w.editor.slots().acceptsDrop(2));
    EXPECT_FALSE(w.editor.slots().acceptsDrop(0));
    EXPECT_FALSE(w.editor.slots().acceptsDrop(13));
    w.drop(2, w.wave("Gong.wav"));
    EXPECT_EQ(w.form.WaveFile[2].text(), "");
    EXPECT_EQ(w.form.FilePath[2], "");
    EXPECT_TRUE(w.test.msgBox.shown.empty());
}

TEST(WaveDrop, whileConnected_beepsAndSaysTheUnitIsBusy) {
    WaveDrop w;
    w.test.serial.setPortOpen(true);
    w.drop(1, w.wave("Gong.wav"));
    EXPECT_EQ(w.texts(), (std::vector<std::string>{"The unit cannot be operated while upload is in progress!"}));
    EXPECT_EQ(w.test.msgBox.beeps, 1);
    EXPECT_EQ(w.form.WaveFile[1].text(), "");
}

TEST(WaveDrop, aDroppedStereoFile_isRefusedThenItsOfferedCopyIsMadeAndTaken) {
    WaveDrop w;
    const std::string stereo = w.sound("Studio.wav", 2, 44100, 32, 2.5);
    const std::string before = w.test.fs.readFile(stereo).value();
    w.test.msgBox.answerNext(IMessageBox::vbOK);
    w.test.msgBox.answerNext(IMessageBox::vbYes);
    w.drop(1, stereo);

    const std::string copy = w.test.folder.file("Studio-22050Hz.wav");
    ASSERT_EQ(w.test.msgBox.shown.size(), 2u);
    EXPECT_EQ(w.test.msgBox.shown[0].text, "The file is not a mono file!");
    EXPECT_EQ(w.test.msgBox.shown[0].flags, IMessageBox::vbOKOnly);
    EXPECT_EQ(w.test.msgBox.shown[1].text,
              "The unit plays 16-bit mono WAVE files. Save a copy of this file in that form (16 bit, mono, 22.050 kHz) "
              "as:\n" +
                  copy + "\n\nThe original file stays as it is.");
    EXPECT_EQ(w.test.msgBox.shown[1].flags, IMessageBox::vbYesNo | IMessageBox::vbQuestion);
    EXPECT_EQ(w.test.msgBox.shown[1].title, "KVT3310 editor");
    EXPECT_EQ(w.test.msgBox.beeps, 1);

    EXPECT_EQ(w.form.WaveFile[1].text(), "Studio-22050Hz");
    EXPECT_EQ(w.form.FilePath[1], copy);
    EXPECT_EQ(w.form.MsgTime[1].caption(), "2.50");
    EXPECT_EQ(w.form.MsgSample[1].caption(), "22.050");
    EXPECT_TRUE(w.form.Bt_Browse[2].enabled());
    EXPECT_EQ(w.test.fs.readFile(stereo).value(), before) << "the original is left as it was";
    EXPECT_EQ(w.test.screen.mousePointer(), IScreen::vbDefault);
}

TEST(WaveDrop, theOfferThroughBrowse_isWordedInTheActiveLanguage) {
    WaveDrop w;
    w.form.ConvertOfferText = {StringCatalogue().text(3000, 942).value(), StringCatalogue().text(3000, 945).value()};
    const std::string eightBit = w.sound("Gong.wav", 1, 16000, 8);
    w.test.msgBox.answerNext(IMessageBox::vbOK);
    w.test.msgBox.answerNext(IMessageBox::vbYes);
    w.choose(1, eightBit);
    ASSERT_EQ(w.test.msgBox.shown.size(), 2u);
    EXPECT_EQ(w.test.msgBox.shown[0].text, "Word length of wave file is not 16 bit!");
    // A rate the unit takes is kept.
    EXPECT_EQ(w.test.msgBox.shown[1].text,
              "Die Einheit spielt 16-Bit-Mono-WAVE-Dateien. Eine Kopie dieser Datei in dieser Form (16 Bit, mono, "
              "16.000 kHz) speichern unter:\n" +
                  w.test.folder.file("Gong-16000Hz.wav") + "\n\nDie Originaldatei bleibt unverändert.");
    EXPECT_EQ(w.form.WaveFile[1].text(), "Gong-16000Hz");
    EXPECT_EQ(w.form.MsgSample[1].caption(), "16.000");
}

TEST(WaveDrop, theCopysName_overwritesNothing) {
    WaveDrop w;
    const std::string stereo = w.sound("Gong.wav", 2, 8000, 16);
    w.test.fs.writeFileAtomic(w.test.folder.file("Gong-8000Hz.wav"), "mine");
    w.test.fs.writeFileAtomic(w.test.folder.file("Gong-8000Hz-2.wav"), "mine too");
    w.test.msgBox.answerNext(IMessageBox::vbOK);
    w.test.msgBox.answerNext(IMessageBox::vbYes);
    w.drop(1, stereo);
    EXPECT_EQ(w.form.FilePath[1], w.test.folder.file("Gong-8000Hz-3.wav"));
    EXPECT_EQ(w.test.fs.readFile(w.test.folder.file("Gong-8000Hz.wav")).value(), "mine");
    EXPECT_EQ(w.test.fs.readFile(w.test.folder.file("Gong-8000Hz-2.wav")).value(), "mine too");
}

TEST(WaveDrop, aDeclinedOffer_leavesTheSlotAndWritesNoCopy) {
    WaveDrop w;
    w.drop(1, w.wave("Gong.wav"));
    const std::string fast = w.sound("Fast.wav", 1, 48000, 16);
    w.test.msgBox.answerNext(IMessageBox::vbOK);
    w.test.msgBox.answerNext(IMessageBox::vbNo);
    w.drop(1, fast);
    EXPECT_EQ(w.texts().at(0), "Sample frequency is not in the range of 8...24 kHz!");
    EXPECT_EQ(w.form.WaveFile[1].text(), "Gong");
    EXPECT_EQ(w.form.MsgSample[1].caption(), "8.000");
    EXPECT_FALSE(w.test.fs.exists(w.test.folder.file("Fast-22050Hz.wav")));
    EXPECT_TRUE(w.test.converter.converted.empty());
}

TEST(WaveDrop, aFileThatIsNoSound_getsOnlyTheMessage) {
    WaveDrop w;
    const std::string text = w.test.folder.file("notes.wav");
    w.test.fs.writeFileAtomic(text, "just some words, not a sound at all");
    w.drop(1, text);
    EXPECT_EQ(w.texts(), (std::vector<std::string>{"The file is not a WAVE file!"}));
    EXPECT_EQ(w.form.WaveFile[1].text(), "");
}

TEST(WaveDrop, anotherSoundFormat_isOfferedAfterTheWaveMessage) {
    WaveDrop w;
    const std::string flac = w.test.folder.file("Gong.flac");
    w.test.fs.writeFileAtomic(flac, "fLaC and more");
    w.test.converter.sounds[flac] = {{44100, 1}, 1.0};
    w.test.msgBox.answerNext(IMessageBox::vbOK);
    w.test.msgBox.answerNext(IMessageBox::vbYes);
    w.drop(1, flac);
    EXPECT_EQ(w.texts().at(0), "The file is not a WAVE file!");
    EXPECT_EQ(w.form.WaveFile[1].text(), "Gong-22050Hz");
}

TEST(WaveDrop, aConversionThatFails_saysWhyAndLeavesTheSlot) {
    WaveDrop w;
    const std::string stereo = w.sound("Gong.wav", 2, 8000, 16);
    w.test.converter.failure = "the file ends early";
    w.test.msgBox.answerNext(IMessageBox::vbOK);
    w.test.msgBox.answerNext(IMessageBox::vbYes);
    w.drop(1, stereo);
    ASSERT_EQ(w.test.msgBox.shown.size(), 3u);
    EXPECT_EQ(w.test.msgBox.shown[2].text, stereo + "\n\nthe file ends early");
    EXPECT_EQ(w.form.WaveFile[1].text(), "");
    EXPECT_FALSE(w.test.fs.exists(w.test.folder.file("Gong-8000Hz.wav")));
}

/// A file cut short after 1,044 of its 24,044 bytes, and one whose data chunk is empty: refused through Browse and
/// the drop alike, naming the file, with no converted copy offered (it would keep what is missing).
TEST(WaveDrop, damagedFiles_refusedThroughBrowseAndDropNamingTheFile) {
    struct Case {
        const char* name;
        std::uint32_t dataSize;
        std::uint32_t soundBytes;
        std::string message;
    };
    const Case cases[] = {
        {"cut.wav", 24000, 1000,
         "The WAVE file is cut short: its header announces 24000 bytes of sound, the file holds 1000:"},
        {"empty.wav", 0, 0, "The WAVE file holds no sound:"},
    };
    for (const Case& c : cases) {
        for (bool dropped : {false, true}) {
            WaveDrop w;
            WaveFiles::Format f;
            f.dataSize = c.dataSize;
            f.soundBytes = c.soundBytes;
            const std::string path = w.test.folder.file(c.name);
            WaveFiles::write(path, WaveFiles::bytes(f));
            w.test.converter.sounds[path] = {{8000, 1}, 1.5};
            if (dropped)
                w.drop(1, path);
            else
                w.choose(1, path);
            EXPECT_EQ(w.texts(), (std::vector<std::string>{c.message + "\n\n" + path})) << c.name << dropped;
            EXPECT_EQ(w.test.msgBox.beeps, 1) << c.name;
            EXPECT_EQ(w.form.FilePath[1], "") << c.name;
        }
    }
}

}  // namespace
