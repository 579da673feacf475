#pragma once

#include <cstdint>

class ILinkEvents;
class SerialLink;

/// Asks the unit to clear an area of its memory and follows its progress bytes until it reports the erase
/// complete. The outcome is left in the link's `Status`: 6 when the erase is complete; the progress and the
/// result are reported to the link's events.
class EraseOperation {
public:
    EraseOperation(SerialLink& link, ILinkEvents& events) : m_link(link), m_events(events) {}

    /// `address` is a word address; only its low 24 bits are sent.
    void EraseData(std::int32_t address);

private:
    SerialLink& m_link;
    ILinkEvents& m_events;
};
