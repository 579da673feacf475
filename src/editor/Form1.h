#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editor/MessageSet.h"
#include "platform/CheckBox.h"
#include "platform/ComboBox.h"
#include "platform/CommandButton.h"
#include "platform/CommonDialog.h"
#include "platform/Label.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "platform/ProgressBar.h"
#include "platform/StatusBar.h"
#include "platform/TextBox.h"

struct AppState;

/// The message-set editor's form: a presentation model holding every control of the editor window by its
/// name, and the message set those controls show. What the controls do is `Editor`'s handlers'. Control arrays are
/// indexed from 1 as the program addresses them; element 0 is unused unless a control says otherwise.
class Form1 {
public:
    static constexpr int kSlots = MessageSet::kSlots;
    static constexpr int kTriggers = MessageSet::kTriggers;
    static constexpr int kSteps = MessageSet::kSteps;
    static constexpr int kZones = MessageSet::kZones;
    static constexpr std::int32_t kMemoryBytes = 8380000;

    Form1(Platform& platform, AppState& app);
    ~Form1();

    /// Start state of the set.
    void Form_Load();
    /// Completes start-up when the editor becomes active, once the shell has read the settings and applied
    /// the language: the status line and the player.
    void Form_Activate();
    /// Recomputes `TotalTime`, `TotalSize` and `TFileLength` from the 12 slots.
    void RecalcTotals();
    /// The message set as the controls and fields show it now.
    MessageSet messageSet() const;

    /// The program's name without a file, as the language gives it: the editor window's caption and the
    /// title of its message boxes, which a user must recognise.
    std::string Caption = "KVT 3310 Tavro message manager set up";

    // --- "Message" group: one row per slot ---
    std::array<Label, kSlots + 1> Lb_Msg;
    std::array<TextBox, kSlots + 1> WaveFile;
    std::array<CommandButton, kSlots + 1> Bt_Browse;
    std::array<CommandButton, kSlots + 1> MsgBt;
    std::array<Label, kSlots + 1> MsgTime;
    std::array<Label, kSlots + 1> MsgSize;
    std::array<Label, kSlots + 1> MsgSample;

    // --- "Trigger" group: one row per trigger ---
    std::array<Label, kTriggers + 1> Lb_TRG;
    std::array<CommandButton, kTriggers + 1> TrgBt;
    /// Step k of trigger t is TRG1(4(t-1)+k).
    std::array<ComboBox, kTriggers * kSteps + 1> TRG1;
    std::array<Label, kTriggers + 1> TrgTime;
    /// Zone z of trigger t is Check1(6(t-1)+z).
    std::array<CheckBox, kTriggers * kZones + 1> Check1;

    // --- Headings and frames (element 0 used) ---
    std::array<Label, 2> Frame1;  ///< 0 "Message", 1 "Trigger"
    Label Lb_Message_Play, Lb_Message_File;
    std::array<Label, 2> Lb_Message_Time, Lb_Message_Size, Lb_Message_Sample;
    Label Lb_Trigger_Play, Lb_Trigger_Ms;
    std::array<Label, 2> Lb_Trigger_Time;
    std::array<Label, kZones + 1> Lb_Trigger_Zones;  ///< 0 "Zones", 1..6 the zone numbers

    // --- Totals and upload ---
    Label Lb_Total;
    Label TotalTime;
    Label TotalSize;
    CommandButton Bt_SendMessage;
    Picture imgNotConnected;
    Picture imgConnected;
    ProgressBar ProgressBar1;
    Label Lb_Percentage;
    StatusBar sbrStatus;

    // --- Hidden controls ---
    /// Diagnostics of the serial link, written after every byte read.
    TextBox txtDataOutPoint, txtInputCheckSum;
    /// The service panel: hidden in the layout and never shown.
    CommandButton Command2, Command3, Command4, Command5, Command6, Command7;
    TextBox Text3;    ///< word address for Flash Check, Show / Stop and Erase, in hexadecimal digits
    TextBox Message;  ///< result of Flash Check
    TextBox LastAddress, MsgNum;
    TextBox txtAck, txtOutputCheckSum, txtDataInPoint;
    ComboBox Combo1;
    std::array<Label, 2> MDI_MsgInfo;  ///< copies of MsgText 6 and 7 for the main window
    Picture Picture1;                  ///< shown while a trigger sequence plays

    CommonDialog CommonDialog1;

    // --- The message set beyond its controls ---
    std::array<std::string, kSlots + 2> FilePath;  ///< entries 0 and 13 unused
    std::array<std::int32_t, kSlots + 1> TMsgSize{};
    std::int32_t TFileLength = 0;
    bool MsgUnchanged = false;
    bool SeqPlaying = false;

    std::string MessageFile;
    std::string LanguageFile;

    std::array<std::string, 16> StatusText;
    std::array<std::string, 12> MsgText;
    /// The link's texts of offsets 790 on (why an upload failed, a reading done): from the built-in language,
    /// in English under a language file, which carries none of them.
    std::array<std::string, 5> LinkText;
    /// The main window's "Save as" in the active language, for questions that offer to save a file.
    std::string SaveAsCaption = "Save as";
    /// Shown when a play button finds no sound output on the PC.
    std::string NoSoundText = "No sound output is available on this PC: the message cannot be played.";
    /// The close box's question while an upload runs, and why a stopped upload ended: before the unit was
    /// changed (0), or after (1). From the built-in language, in English under a language file.
    std::string StopUploadQuestion =
        "An upload is running. Stop it and close? The unit will hold no complete set "
        "of messages until the next upload.";
    std::array<std::string, 2> StoppedText = {
        "The upload was stopped before the unit was changed.",
        "The upload was stopped: the unit holds no complete set of messages until the next upload."};
    /// Asked before a set without any message file is uploaded: the unit would be left with no message.
    std::string EraseAllText;
    /// Asked before a save replaces a file; "%1" stands for the file's name.
    std::string ReplaceFileText;
    /// Why an exchange ended when the PC's own port went away under it; the port and the system's reason follow.
    std::string PortLostText = "The PC's serial port was lost (adapter unplugged?):";
    /// The texts of offsets 920 to 940 and 960, for files that fail (a save, a cut-short or empty wave file, the
    /// trace), each followed by the file and the cause; from the built-in language, in English under a language file.
    std::array<std::string, 4> FileFaultText = {
        "The configuration file could not be saved:",
        "The WAVE file is cut short: its header announces %1 bytes of sound, the file holds %2:",
        "The WAVE file holds no sound:", "The protocol trace cannot be written:"};
    /// The texts of reading a unit back, in `FormTexts.h` order ("%1" stands for a number, a slot or a folder);
    /// from the built-in language, in English under a language file.
    std::array<std::string, 13> ReadBackText = {
        "Read from unit…",
        "Choose the folder for the messages and the set read from the unit",
        "Reading message %1 from the unit...",
        "The unit was read back: %1 messages.",
        "The unit cannot be read back:",
        "The unit holds no set of messages.",
        "The tables of the unit are damaged.",
        "Damaged in the unit (wrong check word), written as they were read: messages",
        "The unit refuses to read its messages back.",
        "The files could not be written:",
        "Reading the unit was stopped; nothing was written.",
        "The unit is being read. Stop reading and close? Nothing will be written.",
        "These files of an earlier read are in the folder already: %1. Do you want to replace them?"};

    /// Said once when the settings name a code page the program does not know: "%1" the value, "%2" the code
    /// page used instead.
    std::string UnknownCodePageText =
        "The code page %1 that KVT3310.INI names is not known. Files are read and written in code page %2.";

    /// Offers a copy of a WAVE file in the unit's form ("%1" its rate in kHz); the copy's path follows, then
    /// that the original is kept.
    std::array<std::string, 2> ConvertOfferText = {
        "The unit plays 16-bit mono WAVE files. Save a copy of this file in that form (16 bit, mono, %1 kHz) as:",
        "The original file stays as it is."};
    /// The connection picture's tips; "%1" the port.
    std::string ConnectTipText = "Connect to the unit on %1";
    std::string DisconnectTipText = "Disconnect from the unit on %1";
    /// The folder of the set last opened or saved; empty while the editor holds a new set.
    std::string SetFolder;
    /// The texts of a set carried to another folder with its wave files (offsets 922 to 927): the files found
    /// beside it, a file of the name that is not the set's, and saving a set with its files (the folder dialog's
    /// title, where it went, its failure and a file of another size). From the built-in language, in English under
    /// a language file.
    std::array<std::string, 6> SetFilesText = {
        "Message files found beside the set: %1",
        "A file of this name lies beside the set, but its size or form differs from the set's file; it was not used:",
        "Choose the folder for the set and its files",
        "The set and its message files were saved in:",
        "The set could not be saved with its files:",
        "The file's size differs from the one the set shows."};

    Platform& platform() { return m_platform; }
    AppState& app() { return m_app; }

private:
    void setDefaultTexts();

    Platform& m_platform;
    AppState& m_app;
};
