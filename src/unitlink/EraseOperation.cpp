#include "unitlink/EraseOperation.h"

#include "unitlink/ILinkEvents.h"
#include "unitlink/SerialLink.h"

void EraseOperation::EraseData(std::int32_t address) {
    using Kind = StatusEvent::Kind;
    SerialLink& link = m_link;
    // A negative address is no area of the unit's; the erase ends without a word, `Status` as it stood.
    if (address < 0)
        return;
    link.PayloadData[1] = static_cast<std::uint8_t>(address >> 16);
    link.PayloadData[2] = static_cast<std::uint8_t>(address >> 8);
    link.PayloadData[3] = static_cast<std::uint8_t>(address);
    link.PayloadLength = 3;
    link.Status = 0;
    if (!link.CommandDo(SerialLink::kUnit, 'E')) {
        m_events.statusChanged({Kind::EraseFailed, {}});
        return;
    }
    link.Status = 0;
    if (!link.awaitAck([this] { m_events.statusChanged({Kind::Erasing, {}}); })) {
        m_events.statusChanged({Kind::EraseFailed, {}});
        return;
    }
    link.Status = SerialLink::kAck;
    m_events.statusChanged({Kind::Erased, {}});
}
