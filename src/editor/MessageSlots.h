#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct WaveHeader;
class Form1;
class TriggerSequences;

/// The message slots of the editor: choosing a wave file for a slot, emptying slots through their name
/// boxes, re-reading a slot before it is played, and the choice lists of the sequence steps that follow the
/// filled slots. Wires the slot controls of `form` to its handlers; a change of the slots reaches `triggers`.
class MessageSlots {
public:
    MessageSlots(Form1& form, TriggerSequences& triggers);

    /// The user asks to choose a file for slot `i` (1 to 12).
    void Bt_Browse_Click(int i);
    /// Whether slot `i` takes a file dropped on its name box or Browse button: only while Browse may fill it.
    bool acceptsDrop(int i) const;
    /// A file dropped on slot `i`'s row: chosen as through Browse, with the same checks and messages.
    void WaveFile_OLEDragDrop(int i, const std::string& path);
    /// The text of `WaveFile`(i) has changed; an empty name empties slot `i` and every slot after it.
    void WaveFile_Change(int i);
    /// A file the program wrote itself (a message read back from the unit) taken into slot `i` as a chosen one
    /// is, without the offer of a converted copy and whether the port is open or not.
    void take(int i, const std::string& path) { choose(i, path, false); }
    /// Re-reads slot `i`'s file and refreshes its values and the totals; the capacity limit is not applied.
    void RefreshMessage(int i);
    /// Gives every sequence step the list " ", "1" ... "n", keeping each step's text.
    void RebuildStepLists(int n);

    /// Whether a refused file that can be converted is offered as a copy in the unit's form.
    bool OfferCopies = true;

private:
    struct SlotState {
        std::string filePath;
        std::string waveFile;
        std::string msgTime;
        std::string msgSize;
        std::int32_t tMsgSize = 0;
        std::string msgSample;
    };

    /// Takes the chosen `path` into slot `i`: the header checks, the values, the step lists and the totals.
    /// A file that the checks refuse gets its message and then, where it can be converted, the offer of a
    /// copy in the unit's form.
    void choose(int i, const std::string& path, bool offerCopy);
    void offerConvertedCopy(int i, const std::string& path);
    /// A name beside `path` for its copy at `rate` that names no existing file.
    std::string copyPath(const std::string& path, int rate) const;
    /// While the port is open no file may be chosen: beeps and says so.
    bool refuseWhileConnected();
    SlotState remember(int i) const;
    void restore(int i, const SlotState& state);
    void setInitDir(int i);
    void showValues(int i, const WaveHeader& header);
    /// Beeps and shows the rejection message of a header rule (naming `path` for a file cut short or without
    /// sound); false when the verdict is no rejection.
    bool showRejection(const WaveHeader& header, const std::string& path);
    void showMessage(int index);
    /// The name a path shows in its slot: the file name cut before its first ".", or nothing when that
    /// leaves no name.
    std::optional<std::string> displayName(const std::string& path) const;
    std::string folderOf(const std::string& path) const;

    Form1& m_form;
    TriggerSequences& m_triggers;
};
