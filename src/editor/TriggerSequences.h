#pragma once

class Form1;

/// The trigger side of the editor: the 4 sequence steps of each trigger, chosen only from their drop-down
/// lists, the rule that a step is usable only after a step holding a message, the sequence times, the
/// sequence play buttons' enabling and the zone boxes. Wires the step and zone controls of `form` to its
/// handlers and locks every step, as a step takes a value only while its list is open.
class TriggerSequences {
public:
    explicit TriggerSequences(Form1& form);

    /// Step `k` (1 to 48) had its list opened: it takes a pick until it is locked again.
    void TRG1_DropDown(int k);
    /// An entry of step `k`'s list was picked (also run after a file is accepted): the pass over all 12
    /// triggers that enables the steps and recomputes `TrgTime` and `TrgBt`, then step `k` is locked.
    void TRG1_Click(int k);
    void TRG1_Change(int k);
    void TRG1_KeyDown(int k, int& keyCode, int shift);
    void TRG1_LostFocus(int k);
    /// Zone box `z` (1 to 72) was ticked or cleared.
    void Check1_Click(int z);

private:
    /// The message slot a step names, or 0 when it names none (blank, not a number, or above 12).
    int messageOf(int step) const;
    bool holdsMessage(int step) const;
    double messageTime(int step) const;
    void setLocked(int k, bool locked);

    Form1& m_form;
};
