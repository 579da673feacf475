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
#include "settings/Settings.h"

struct AppState;
class LanguageApplier;
class LanguageMenu;
class ConfigFile;
class MDIKVT3310;
class MessageSlots;
class Playback;
class TriggerSequences;
class TextPrintout;
class LinkPresenter;
class SerialLink;
class PortConnection;
class EraseOperation;
class UploadImage;
class UploadSequence;
class ServicePanel;

/// The message-set editor: a presentation model holding every control of the editor window by its name,
/// and the message set those controls show. Control arrays are indexed from 1 as the program addresses
/// them; element 0 is unused unless a control says otherwise.
class Form1 {
public:
    static constexpr int kSlots = MessageSet::kSlots;
    static constexpr int kTriggers = MessageSet::kTriggers;
    static constexpr int kSteps = MessageSet::kSteps;
    static constexpr int kZones = MessageSet::kZones;
    static constexpr std::int32_t kMemoryBytes = 8380000;
    /// The per-byte read time-out of the serial link at start, in milliseconds; also taken for a time-out of
    /// 0 or less, which would otherwise wait for ever.
    static constexpr std::int16_t kStartTimeOut = Settings::kStartTimeOut;

    Form1(Platform& platform, AppState& app, MDIKVT3310& mdi);
    ~Form1();

    /// Start state of the set and the serial settings.
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
    /// Shown when a play button finds no sound output on the PC.
    std::string NoSoundText = "No sound output is available on this PC: the message cannot be played.";

    // --- Serial settings ---
    std::int16_t CommTimeOut = kStartTimeOut;
    std::int16_t Commport = 1;
    std::string Bret = "115200";
    std::string Pchk = "N";
    std::string Dbit = "8";
    std::string Sbit = "2";
    /// Device paths of port numbers 1 and 2 where ports are files (keys "Com1Device" and "Com2Device").
    std::string Com1Device = "/dev/ttyS0";
    std::string Com2Device = "/dev/ttyS1";
    /// A port chosen from the system's list below `Com1` and `Com2` ("COM5", "/dev/ttyUSB0"), opened in place
    /// of port number `Commport`; empty while `Com1` or `Com2` is the choice (key "PortName").
    std::string PortName;

    Platform& platform() { return m_platform; }
    AppState& app() { return m_app; }
    MDIKVT3310& mdi() { return m_mdi; }
    /// `OpenLng`.
    LanguageApplier& language() { return *m_language; }
    /// `LngSel_Click`, `other_Click` and the start language.
    LanguageMenu& languageMenu() { return *m_languageMenu; }
    /// `Bt_Browse_Click`, `WaveFile_Change`, `RefreshMessage`, `RebuildStepLists`.
    MessageSlots& slots() { return *m_slots; }
    /// `TRG1_Click` and the other step and zone handlers.
    TriggerSequences& triggers() { return *m_triggers; }
    /// `MsgBt_Click`, `TrgBt_Click` and the player's completion.
    Playback& playback() { return *m_playback; }
    /// `SaveConfig` and `OpenConfig`.
    ConfigFile& config() { return *m_config; }
    /// `PrintOutTxt`.
    TextPrintout& printout() { return *m_printout; }
    /// Shows what the link and the upload report: status line, progress, pointer, window, indicator.
    LinkPresenter& presenter() { return *m_presenter; }
    SerialLink& link() { return *m_link; }
    PortConnection& connection() { return *m_connection; }
    EraseOperation& erase() { return *m_erase; }
    /// The unit's memory image and its upload state.
    UploadImage& image() { return *m_image; }
    /// `Bt_SendMessage_Click` and `ProgressStep`.
    UploadSequence& upload() { return *m_upload; }
    ServicePanel& service() { return *m_service; }

private:
    void setDefaultTexts();

    Platform& m_platform;
    AppState& m_app;
    MDIKVT3310& m_mdi;
    std::unique_ptr<LanguageApplier> m_language;
    std::unique_ptr<LanguageMenu> m_languageMenu;
    std::unique_ptr<MessageSlots> m_slots;
    std::unique_ptr<TriggerSequences> m_triggers;
    std::unique_ptr<Playback> m_playback;
    std::unique_ptr<ConfigFile> m_config;
    std::unique_ptr<TextPrintout> m_printout;
    std::unique_ptr<LinkPresenter> m_presenter;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<PortConnection> m_connection;
    std::unique_ptr<EraseOperation> m_erase;
    std::unique_ptr<UploadImage> m_image;
    std::unique_ptr<UploadSequence> m_upload;
    std::unique_ptr<ServicePanel> m_service;
};
