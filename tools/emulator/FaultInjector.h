#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "UnitFaults.h"
#include "UnitFraming.h"

/// What a test makes the emulated unit do wrong, as `UnitFaults` lists it: frames it does not answer, frames
/// it refuses though they are right, and replies it garbles. Frames are numbered from 1 as they arrive.
class FaultInjector {
public:
    explicit FaultInjector(UnitFaults faults) : m_faults(std::move(faults)) {}

    /// The unit has gone silent by frame `number`.
    bool silent(int number) const;
    /// The log text of an injected NAK for the frame, empty when none is due. A command's first frame is
    /// refused only once.
    std::string refusal(const UnitFraming::Frame& frame, int number);
    /// Garbles the reply to frame `number` and puts noise or garbage before it.
    void disturb(std::vector<std::uint8_t>& out, int number);

private:
    UnitFaults m_faults;
    std::set<char> m_nakedCommands;
    std::uint32_t m_garbageSeed = 12345;
};
