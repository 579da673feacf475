#include "editor/Playback.h"

#include <cmath>

#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/Formats.h"
#include "editor/MessageSlots.h"

Playback::Playback(Form1& form, MessageSlots& slots) : m_form(form), m_slots(slots) {
    for (int i = 1; i <= Form1::kSlots; ++i)
        form.MsgBt[i].Click = [this, i] { MsgBt_Click(i); };
    for (int t = 1; t <= Form1::kTriggers; ++t)
        form.TrgBt[t].Click = [this, t] { TrgBt_Click(t); };
    form.platform().player.Done = [this] { WavPlayer_Done(); };
}

Playback::~Playback() {
    m_form.platform().player.Done = nullptr;
}

void Playback::MsgBt_Click(int i) {
    Form1& f = m_form;
    IWavPlayer& player = f.platform().player;
    if (refusedWhilePortOpen())
        return;

    if (player.mode() == IWavPlayer::kModePlaying) {
        player.command("Close");
        // Closing raises no completion, yet whatever button showed the play must show ">" again.
        WavPlayer_Done();
        return;
    }

    // A rejection shown here does not keep the file from playing.
    m_slots.RefreshMessage(i);
    f.MsgBt[i].setCaption("-");
    if (!start(f.FilePath[i])) {
        player.command("Close");
        WavPlayer_Done();
        return;
    }
    f.Picture1.setVisible(true);
}

void Playback::TrgBt_Click(int t) {
    Form1& f = m_form;
    IWavPlayer& player = f.platform().player;
    if (refusedWhilePortOpen())
        return;

    if (f.SeqPlaying) {
        // The sequence in progress sees the flag at its next wait and ends there.
        stopPlaying();
        return;
    }

    f.SeqPlaying = true;
    for (int j = 0; j < Form1::kSteps; ++j) {
        // Other handlers run nested in this wait, a click on a sequence button among them.
        while (f.SeqPlaying && player.mode() == IWavPlayer::kModePlaying)
            f.platform().events.waitForEvents();
        if (!f.SeqPlaying)
            break;

        const int m = messageOf(Form1::kSteps * (t - 1) + 1 + j);
        if (m == 0)
            continue;
        f.TrgBt[t].setCaption("-");
        if (!start(f.FilePath[m])) {
            stopPlaying();
            return;
        }
        f.Picture1.setVisible(true);
    }
    // The last file may still play; the sequence itself is over once it has been started.
    f.SeqPlaying = false;
}

void Playback::stopPlaying() {
    m_form.platform().player.command("Close");
    m_form.SeqPlaying = false;
    WavPlayer_Done();
}

void Playback::WavPlayer_Done() {
    Form1& f = m_form;
    for (int i = 1; i <= Form1::kSlots; ++i)
        f.MsgBt[i].setCaption(">");
    for (int t = 1; t <= Form1::kTriggers; ++t)
        f.TrgBt[t].setCaption(">");
    f.Picture1.setVisible(false);
}

bool Playback::refusedWhilePortOpen() {
    Form1& f = m_form;
    if (!f.platform().serial.portOpen())
        return false;
    f.platform().msgBox.Beep();
    f.platform().msgBox.MsgBox(f.MsgText[kMsgUploadInProgress], IMessageBox::vbOKOnly, f.Caption);
    return true;
}

bool Playback::start(const std::string& path) {
    IWavPlayer& player = m_form.platform().player;
    player.setFileName(path);
    if (!player.command("Close") || !player.command("Open"))
        return false;
    if (player.command("Play"))
        return true;
    // Without this the button would only flicker: the file is fine, the PC cannot sound it.
    m_form.platform().msgBox.Beep();
    m_form.platform().msgBox.MsgBox(m_form.NoSoundText, IMessageBox::vbOKOnly, m_form.Caption);
    return false;
}

int Playback::messageOf(int step) const {
    const double number = Formats::leadingNumber(m_form.TRG1[step].text());
    if (!(number > 0))
        return 0;
    // Only an edited configuration file can hold "2.5" or "13": the first names the nearest slot, the
    // second no slot at all, and such a step is passed over as an empty one.
    const double slot = std::nearbyint(number);
    return slot >= 1 && slot <= Form1::kSlots ? static_cast<int>(slot) : 0;
}
