#pragma once

#include <cstdint>
#include <string>

class Form1;

/// The upload button `Bt_SendMessage`: connects, decides between a full upload (erase, every wave file, both
/// tables) and a configuration-only upload (both tables), runs it, reports the outcome on the status line
/// and disconnects. The main window stays disabled, with the hourglass pointer, from the click to the end
/// step. Also the progress step that the once-a-second clock runs during the data phase.
class UploadSequence {
public:
    explicit UploadSequence(Form1& form);
    ~UploadSequence();
    UploadSequence(const UploadSequence&) = delete;
    UploadSequence& operator=(const UploadSequence&) = delete;

    void Bt_SendMessage_Click();
    /// One clock tick of the data phase: percentage and remaining time in `Lb_Percentage`.
    void ProgressStep();

    /// Clock ticks since the data phase began (starts at 1).
    std::int32_t ClockSeconds = 0;
    std::int32_t Percent = 0;
    /// Kept between uploads: a tick without a rate shows the previous estimate.
    std::int32_t RemainingSeconds = 0;

    /// "45%    Remaining Time: 00:01:13" from its parts.
    static std::string progressText(std::int32_t percent, const std::string& remainingText, std::int32_t seconds);

    /// The status line after a failure: `StatusText`(index) and, when the link can tell, why.
    void showFailure(int index);

private:
    /// The steps between connecting and the end step. `connected`: the user had opened the port already.
    void run(bool connected);
    /// Every named slot's file is there, readable and of the size the set shows; otherwise the message of the
    /// first that is not, and false.
    bool filesReady();
    bool fullUploadNeeded();
    void fullUpload();
    /// Sends every named slot's file; false when one fails.
    bool sendSlots();
    /// A read time-out closed the port: nothing more can reach the unit.
    bool lineLost() const;

    Form1& m_form;
};
