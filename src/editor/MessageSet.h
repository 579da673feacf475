#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

/// The message set as a value: what the editor shows of its 12 message slots, its 12 triggers and the totals,
/// taken at one moment (`Form1::messageSet`). Readers that need the set and not the window (the printout, the
/// unit's tables) take it from here. Arrays are indexed from 1 as the program counts slots, steps and zones;
/// element 0 is unused.
struct MessageSet {
    static constexpr int kSlots = 12;
    static constexpr int kTriggers = 12;
    static constexpr int kSteps = 4;
    static constexpr int kZones = 6;

    // --- Message slot i; texts empty while the slot is ---
    std::array<std::string, kSlots + 1> FilePath;
    std::array<std::string, kSlots + 1> WaveFile;   ///< display name
    std::array<std::string, kSlots + 1> MsgTime;    ///< seconds, "####0.00"
    std::array<std::string, kSlots + 1> MsgSize;    ///< whole kB
    std::array<std::string, kSlots + 1> MsgSample;  ///< kHz, "#0.000"
    /// Bytes the message takes in the unit.
    std::array<std::int32_t, kSlots + 1> TMsgSize{};

    // --- Trigger t: step k is element 4(t-1)+k, zone z element 6(t-1)+z ---
    /// The message each step plays, 0 for none: the step's text read by `stepValue`. The editor's lists offer
    /// 1 to 12; a configuration file or the unit's own table can bring any byte.
    std::array<std::uint8_t, kTriggers * kSteps + 1> TRG1{};
    /// The steps' texts as shown ("" and " " both mean none); the printout copies them.
    std::array<std::string, kTriggers * kSteps + 1> TRG1Text;
    /// The zones each trigger addresses.
    std::array<bool, kTriggers * kZones + 1> Check1{};
    /// Each sequence's playing time in seconds, "####0.00".
    std::array<std::string, kTriggers + 1> TrgTime;

    // --- Totals over the counted slots ---
    std::string TotalTime;
    std::string TotalSize;
    std::int32_t TFileLength = 0;

    bool MsgUnchanged = false;
    bool SeqPlaying = false;

    std::uint8_t step(int t, int k) const { return TRG1[kSteps * (t - 1) + k]; }
    bool zone(int t, int z) const { return Check1[kZones * (t - 1) + z]; }

    /// The message number a step's text stands for: its leading number (blank gives 0), rounded to a whole
    /// number (halves to even) and taken modulo 256, as the unit's trigger table stores it.
    static std::uint8_t stepValue(std::string_view text);

    /// True when a slot holds a message file; an upload of a set without one leaves the unit with no message.
    bool hasMessageFile() const;

    bool operator==(const MessageSet&) const = default;
};
