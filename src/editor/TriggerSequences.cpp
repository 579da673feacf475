#include "editor/TriggerSequences.h"

#include <cmath>

#include "editor/Form1.h"
#include "editor/Formats.h"
#include "settings/AppState.h"

TriggerSequences::TriggerSequences(Form1& form) : m_form(form) {
    for (int k = 1; k <= Form1::kTriggers * Form1::kSteps; ++k) {
        ComboBox& step = form.TRG1[k];
        step.DropDown = [this, k] { TRG1_DropDown(k); };
        step.Click = [this, k] { TRG1_Click(k); };
        step.Change = [this, k] { TRG1_Change(k); };
        step.KeyDown = [this, k](int& keyCode, int shift) { TRG1_KeyDown(k, keyCode, shift); };
        step.LostFocus = [this, k] { TRG1_LostFocus(k); };
        step.setLocked(true);
    }
    for (int z = 1; z <= Form1::kTriggers * Form1::kZones; ++z)
        form.Check1[z].Click = [this, z] { Check1_Click(z); };
}

void TriggerSequences::TRG1_DropDown(int k) {
    setLocked(k, false);
}

void TriggerSequences::TRG1_Click(int k) {
    Form1& f = m_form;
    f.app().blnChanged = true;
    for (int t = 1; t <= Form1::kTriggers; ++t) {
        const int s = Form1::kSteps * (t - 1) + 1;
        double time = 0;
        // Each step's outcome feeds the next, so a step without a message clears every later one in this pass.
        for (int k = 0; k <= 2; ++k) {
            if (f.TRG1[s + k].enabled() && holdsMessage(s + k)) {
                f.TRG1[s + k + 1].setEnabled(true);
                f.TrgBt[t].setEnabled(true);
            } else {
                f.TRG1[s + k + 1].setText(" ");
                f.TRG1[s + k + 1].setEnabled(false);
                if (!holdsMessage(s))
                    f.TrgBt[t].setEnabled(false);
            }
            if (holdsMessage(s + k))
                time += messageTime(s + k);
            if (k == 2 && holdsMessage(s + 3))
                time += messageTime(s + 3);
        }
        f.TrgTime[t].setCaption(Formats::seconds(time));
    }
    setLocked(k, true);
}

void TriggerSequences::TRG1_Change(int) {
    m_form.app().blnChanged = true;
}

void TriggerSequences::TRG1_KeyDown(int k, int&, int) {
    setLocked(k, true);
}

void TriggerSequences::TRG1_LostFocus(int k) {
    setLocked(k, true);
}

void TriggerSequences::Check1_Click(int) {
    m_form.app().blnChanged = true;
}

int TriggerSequences::messageOf(int step) const {
    const double number = Formats::leadingNumber(m_form.TRG1[step].text());
    if (!(number > 0))
        return 0;
    // A step text like "2.5" can only come from an edited configuration file; it names the nearest slot,
    // and a number above 12 names none, so it adds nothing to the sequence time.
    const double slot = std::nearbyint(number);
    return slot >= 1 && slot <= Form1::kSlots ? static_cast<int>(slot) : 0;
}

bool TriggerSequences::holdsMessage(int step) const {
    return Formats::leadingNumber(m_form.TRG1[step].text()) > 0;
}

double TriggerSequences::messageTime(int step) const {
    const int slot = messageOf(step);
    return slot == 0 ? 0.0 : Formats::leadingNumber(m_form.MsgTime[slot].caption());
}

void TriggerSequences::setLocked(int k, bool locked) {
    m_form.TRG1[k].setLocked(locked);
}
