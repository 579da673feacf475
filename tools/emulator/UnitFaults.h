#pragma once

#include <set>

/// Faults the emulated unit can be told to make. Frames are counted from 1 in the order they arrive,
/// command frames and data frames alike.
struct UnitFaults {
    /// Frames answered with a NAK (21) instead of being carried out.
    std::set<int> nakFrames;
    /// Command letters whose first frame is answered with a NAK.
    std::set<char> nakCommands;
    /// After this many frames (0: from the first) the unit answers nothing any more; -1: never.
    int silentAfter = -1;
    /// Bytes of line noise (FF and 55 in turn) sent before every reply frame.
    int noiseBytes = 0;
    /// Bytes of garbage (any value but the start byte "*") sent before every reply frame.
    int garbageBytes = 0;
    /// Frames whose reply carries a wrong checksum.
    std::set<int> corruptFrames;
    /// "R" is answered with a NAK below the table area: the unit gives its tables but not its messages.
    bool refuseDataReads = false;
};
