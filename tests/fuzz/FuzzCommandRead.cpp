// The reply side of the link on any bytes, arriving in pieces: CommandRead, CommandDo, the erase exchange and
// the read-back of the message table end within the time-outs, keep the link's state in range, and give the
// window back when the line goes quiet. Input: exchange, piece size, then the bytes of the line.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "FuzzPlatform.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/SerialLink.h"
#include "unitlink/UploadImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const int exchange = data[0] % 4;
    const std::size_t piece = 1 + data[1] % 32;
    const std::vector<std::uint8_t> line(data + 2, data + size);

    FuzzPlatform p;
    p.form.imgNotConnected.click();
    FUZZ_CHECK(p.serial.portOpen(), "port opens");
    SerialLink& link = p.bench.link();
    // Every byte may be the last before a time-out; more than one time-out per byte and a few more is a hang.
    const std::int64_t limit = static_cast<std::int64_t>(line.size() + 8) * LinkSettings::kStartTimeOut;
    std::size_t next = 0;
    p.events.onWait = [&] {
        if (p.clock.steadyMs() > limit)
            FuzzPlatform::hang("the exchange does not end");
        if (next < line.size()) {
            const std::size_t n = std::min(piece, line.size() - next);
            p.serial.feed(std::vector<std::uint8_t>(line.begin() + next, line.begin() + next + n));
            next += n;
        }
    };

    FuzzPlatform::guarded([&] {
        switch (exchange) {
            case 0: {
                const std::uint8_t result = link.CommandRead(SerialLink::kUnit, 'P');
                FUZZ_CHECK(result <= 6 || link.PayloadLength <= 1, "result is a code or the unit's byte");
                break;
            }
            case 1:
                link.CommandDo(SerialLink::kUnit, 'P');
                break;
            case 2:
                p.bench.erase().EraseData(0x3FFFFF);
                break;
            default:
                p.bench.image().ReadMsgTab();
                break;
        }
    });
    FUZZ_CHECK(link.PayloadLength >= 0 && link.PayloadLength <= SerialLink::kPayloadSize, "payload length");
    FUZZ_CHECK(link.DataOutPoint >= 0 && link.DataOutPoint < SerialLink::kRingSize, "ring index");
    FUZZ_CHECK(link.DataInPoint >= 0 && link.DataInPoint < SerialLink::kRingSize, "ring index");
    if (!p.serial.portOpen())
        FUZZ_CHECK(p.mdi.enabled() && p.screen.mousePointer() == IScreen::vbDefault, "window given back");
    return 0;
}
