#include "editor/Form1.h"

#include <algorithm>
#include <limits>
#include <string>

#include "editor/FormTexts.h"
#include "editor/Formats.h"
#include "settings/AppState.h"

namespace {

const std::array<const char*, 16> kStatusDefaults = {
    "Com port not connected!",
    "File is uploading...",
    "Message and configuration upload successfully!",
    "Message and configuration upload unsuccessfully!",
    "Reading data failed!",
    "Checking data...",
    "Checking data successfully!",
    "Checking data failed!",
    "Erasing data...",
    "Erasing data successfully!",
    "Erasing data failed!",
    "Status: ",
    "RS232 PORT: ",
    "Configuration upload successfully!",
    "Configuration upload unsuccessfully!",
    "%    Remaining Time: ",
};

const std::array<const char*, 12> kMsgDefaults = {
    "Message files exceed memory capacity of 8380 KB!",
    "Word length of wave file is not 16 bit!",
    "Sample frequency is not in the range of 8...24 kHz!",
    "The file is not a mono file!",
    "The file is not a WAVE file!",
    "The unit cannot be operated while upload is in progress!",
    "Do you want to save the changes?",
    "Com port not connected!",
    "Initial file cannot be found!",
    "Language file cannot be found!",
    "Configuration file cannot be found!",
    "Path of message file is incorrect!",
};

// The texts of offsets 790 on, in `FormTexts.h` order.
const std::array<const char*, kLinkTexts> kLinkDefaults = {
    "The port could not be opened:",       "The unit does not answer!",  "The unit refused the data!",
    "The reply of the unit is not valid!", "Reading data successfully!",
};

}  // namespace

Form1::Form1(Platform& platform, AppState& app) : CommonDialog1(platform.fileDialog), m_platform(platform), m_app(app) {
    // The captions the window is created with, before any language is applied.
    Frame1[0].setCaption("Message");
    Frame1[1].setCaption("Trigger");
    Lb_Message_Play.setCaption("Play");
    Lb_Message_File.setCaption("File");
    Lb_Message_Time[0].setCaption("Time");
    Lb_Message_Time[1].setCaption("[s]");
    Lb_Message_Size[0].setCaption("Size");
    Lb_Message_Size[1].setCaption("kB");
    Lb_Message_Sample[0].setCaption("Sample");
    Lb_Message_Sample[1].setCaption("[Khz]");
    Lb_Trigger_Play.setCaption("Play");
    Lb_Trigger_Ms.setCaption("Message sequence");
    Lb_Trigger_Time[0].setCaption("Time");
    Lb_Trigger_Time[1].setCaption("[s]");
    Lb_Trigger_Zones[0].setCaption("Zones");
    for (int z = 1; z <= kZones; ++z)
        Lb_Trigger_Zones[z].setCaption(std::to_string(z));
    Lb_Total.setCaption("Total");
    Bt_SendMessage.setCaption("Send messages and configuration");
    for (int i = 1; i <= kSlots; ++i) {
        Lb_Msg[i].setCaption(std::to_string(i));
        Bt_Browse[i].setCaption("Browse");
    }
    for (int t = 1; t <= kTriggers; ++t)
        Lb_TRG[t].setCaption(std::to_string(t));
    sbrStatus.setPanelKey(1, "Status");
    sbrStatus.setPanelKey(2, "Settings");
    sbrStatus.setPanelKey(3, "ConnectTime");
    imgConnected.setVisible(false);
    MDI_MsgInfo[0].setVisible(false);
    MDI_MsgInfo[1].setVisible(false);
    Picture1.setVisible(false);
    EraseAllText =
        "The set contains no message file. Sending it erases all messages in the unit, which then holds no "
        "message. Do you want to send it anyway?";
    ReplaceFileText = "%1 already exists. Do you want to replace it?";
}

Form1::~Form1() = default;

void Form1::setDefaultTexts() {
    for (std::size_t i = 0; i < StatusText.size(); ++i)
        StatusText[i] = kStatusDefaults[i];
    for (std::size_t i = 0; i < MsgText.size(); ++i)
        MsgText[i] = kMsgDefaults[i];
    for (std::size_t i = 0; i < LinkText.size(); ++i)
        LinkText[i] = kLinkDefaults[i];
}

void Form1::Form_Load() {
    ProgressBar1.setVisible(false);

    TFileLength = 0;
    MsgUnchanged = false;
    MessageFile = "MessageSetup.cfg";
    LanguageFile = "en.lng";
    setDefaultTexts();
    MDI_MsgInfo[0].setCaption(MsgText[6]);
    MDI_MsgInfo[1].setCaption(MsgText[7]);

    for (int i = 1; i <= kSlots; ++i) {
        FilePath[i].clear();
        TMsgSize[i] = 0;
        Bt_Browse[i].setEnabled(i == 1);
        MsgBt[i].setEnabled(false);
        MsgBt[i].setCaption(">");
    }
    for (int t = 1; t <= kTriggers; ++t) {
        for (int k = 1; k <= kSteps; ++k)
            TRG1[kSteps * (t - 1) + k].setEnabled(k == 1);
        TrgBt[t].setEnabled(false);
        TrgBt[t].setCaption(">");
    }
    SeqPlaying = false;
    Picture1.setVisible(false);
}

void Form1::Form_Activate() {
    sbrStatus.setPanelText(1, StatusText[11] + " ");
    sbrStatus.setPanelText(2, StatusText[12] + " ");
    m_platform.player.setDeviceType("WaveAudio");
}

void Form1::RecalcTotals() {
    double time = 0;
    std::int64_t size = 0;
    // Wide: twelve sizes below 2^31 each can still sum beyond it.
    std::int64_t length = 0;
    for (int i = 1; i <= kSlots; ++i) {
        if (Formats::leadingNumber(MsgSize[i].caption()) == 0)
            continue;
        time += Formats::leadingNumber(MsgTime[i].caption());
        size += static_cast<std::int64_t>(Formats::leadingNumber(MsgSize[i].caption()));
        length += TMsgSize[i];
    }
    // The editor and the configuration reader keep the sizes within the memory; a sum beyond the 32-bit
    // range from anywhere else is held at its limit rather than wrapped round.
    TFileLength = static_cast<std::int32_t>(std::clamp<std::int64_t>(length, std::numeric_limits<std::int32_t>::min(),
                                                                     std::numeric_limits<std::int32_t>::max()));
    TotalTime.setCaption(Formats::seconds(time));
    TotalSize.setCaption(Formats::integer(size));
}

MessageSet Form1::messageSet() const {
    MessageSet set;
    for (int i = 1; i <= kSlots; ++i) {
        set.FilePath[i] = FilePath[i];
        set.WaveFile[i] = WaveFile[i].text();
        set.MsgTime[i] = MsgTime[i].caption();
        set.MsgSize[i] = MsgSize[i].caption();
        set.MsgSample[i] = MsgSample[i].caption();
        set.TMsgSize[i] = TMsgSize[i];
    }
    for (int s = 1; s <= kTriggers * kSteps; ++s) {
        set.TRG1Text[s] = TRG1[s].text();
        set.TRG1[s] = MessageSet::stepValue(set.TRG1Text[s]);
    }
    for (int z = 1; z <= kTriggers * kZones; ++z)
        set.Check1[z] = Check1[z].value() != 0;
    for (int t = 1; t <= kTriggers; ++t)
        set.TrgTime[t] = TrgTime[t].caption();
    set.TotalTime = TotalTime.caption();
    set.TotalSize = TotalSize.caption();
    set.TFileLength = TFileLength;
    set.MsgUnchanged = MsgUnchanged;
    set.SeqPlaying = SeqPlaying;
    return set;
}
