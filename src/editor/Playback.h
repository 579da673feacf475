#pragma once

#include <string>

class Form1;
class MessageSlots;

/// Listening on the PC: the play buttons of the message slots and of the trigger sequences, and the
/// player's completion. A sequence plays inside `TrgBt_Click`, letting the other events run while each
/// file plays, so the other buttons stay usable and a click on any sequence button ends it. Playing is
/// refused while the serial port is open. Wires `MsgBt`, `TrgBt` and the player's `Done` of `form`.
class Playback {
public:
    /// `slots` re-reads a message before it plays.
    Playback(Form1& form, MessageSlots& slots);
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    /// Plays message `i` (1 to 12), or stops whatever plays.
    void MsgBt_Click(int i);
    /// Plays the sequence of trigger `t` (1 to 12), or ends the sequence in progress.
    void TrgBt_Click(int t);
    /// A played file has ended: every play button shows ">" again.
    void WavPlayer_Done();
    /// Stops whatever plays, a sequence included, as the program closes.
    void stopPlaying();

private:
    /// Beeps and shows the upload-in-progress message while the serial port is open.
    bool refusedWhilePortOpen();
    /// Gives the player the file and the commands "Close", "Open" and "Play"; a "Play" that fails means
    /// the PC has no sound output, which is said in a message.
    bool start(const std::string& path);
    /// The message slot step `step` (1 to 48) names, or 0 when it names none.
    int messageOf(int step) const;

    Form1& m_form;
    MessageSlots& m_slots;
};
