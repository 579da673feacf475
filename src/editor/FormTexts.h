#pragma once

// Positions in `Form1::StatusText` and `Form1::MsgText`; a language file fills them in this order.

inline constexpr int kStatusNotConnected = 0;
inline constexpr int kStatusUploading = 1;
inline constexpr int kStatusUploadDone = 2;
inline constexpr int kStatusUploadFailed = 3;
inline constexpr int kStatusReadFailed = 4;
inline constexpr int kStatusChecking = 5;
inline constexpr int kStatusChecked = 6;
inline constexpr int kStatusCheckFailed = 7;
inline constexpr int kStatusErasing = 8;
inline constexpr int kStatusErased = 9;
inline constexpr int kStatusEraseFailed = 10;
inline constexpr int kStatusCaption = 11;
inline constexpr int kStatusPortCaption = 12;
inline constexpr int kStatusConfigDone = 13;
inline constexpr int kStatusConfigFailed = 14;
inline constexpr int kStatusRemainingTime = 15;

inline constexpr int kMsgCapacity = 0;
inline constexpr int kMsgWordLength = 1;
inline constexpr int kMsgSampleRate = 2;
inline constexpr int kMsgNotMono = 3;
inline constexpr int kMsgNotWave = 4;
inline constexpr int kMsgUploadInProgress = 5;
inline constexpr int kMsgSaveChanges = 6;
inline constexpr int kMsgNotConnected = 7;
inline constexpr int kMsgNoInitialFile = 8;
inline constexpr int kMsgNoLanguageFile = 9;
inline constexpr int kMsgNoConfigFile = 10;
inline constexpr int kMsgPathIncorrect = 11;

// Positions in `Form1::LinkText`: the texts of offsets 790 on, which a language file does not carry.
inline constexpr int kLinkFirstOffset = 790;
inline constexpr int kLinkPortNotOpened = 0;
inline constexpr int kLinkNoAnswer = 1;
inline constexpr int kLinkRefused = 2;
inline constexpr int kLinkMalformed = 3;
inline constexpr int kLinkReadDone = 4;
inline constexpr int kLinkTexts = 5;

// Positions in `Form1::FileFaultText`: the texts of offsets 920 to 940 and 960, which a language file does not
// carry.
inline constexpr int kFaultSaveFailed = 0;
inline constexpr int kFaultCutShort = 1;
inline constexpr int kFaultNoSound = 2;
inline constexpr int kFaultTraceUnwritable = 3;

// Positions in `Form1::SetFilesText`: the texts of offsets 922 to 927, which a language file does not carry.
inline constexpr int kSetFilesFirstOffset = 922;
inline constexpr int kSetFilesFound = 0;
inline constexpr int kSetFilesDiffer = 1;
inline constexpr int kSetFilesFolderTitle = 2;
inline constexpr int kSetFilesSaved = 3;
inline constexpr int kSetFilesNotSaved = 4;
inline constexpr int kSetFilesOtherSize = 5;
// Positions in `Form1::ReadBackText`: the texts of reading a unit back, offsets 901 to 909 and 911 on, which a
// language file does not carry.
inline constexpr int kReadBackMenu = 0;
inline constexpr int kReadBackFolder = 1;
inline constexpr int kReadBackReading = 2;
inline constexpr int kReadBackDone = 3;
inline constexpr int kReadBackFailed = 4;
inline constexpr int kReadBackNoSet = 5;
inline constexpr int kReadBackTables = 6;
inline constexpr int kReadBackDamaged = 7;
inline constexpr int kReadBackRefused = 8;
inline constexpr int kReadBackWriteFailed = 9;
inline constexpr int kReadBackStopped = 10;
inline constexpr int kReadBackStopQuestion = 11;
inline constexpr int kReadBackReplace = 12;
inline constexpr int kReadBackTexts = 13;
/// The catalogue offset of `ReadBackText`(index).
inline constexpr int readBackOffset(int index) {
    return index < 9 ? 901 + index : 911 + index - 9;
}
