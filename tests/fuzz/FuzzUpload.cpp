// A whole upload against a unit whose replies may each be passed, flipped, cut, replaced, padded or held
// back until the next frame: the upload always ends (a watchdog on the fake clock stops a hang), closes the
// port and gives the window back. Input: the form of the upload, then one action per reply.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "EmulatedUnit.h"
#include "FuzzPlatform.h"
#include "support/TestFiles.h"
#include "unitlink/LinkSettings.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

/// Reads the input front to back; past its end it gives zeros, which pass every reply unchanged.
class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    Bytes take(std::size_t count) {
        Bytes bytes;
        while (count-- > 0 && m_pos < m_size)
            bytes.push_back(m_data[m_pos++]);
        return bytes;
    }
    std::size_t size() const { return m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

enum Action { Pass, Flip, Cut, Replace, Pad, HoldBack, kActions };

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Script script(data, size);
    const std::uint8_t form = script.next();

    FuzzPlatform p;
    // Two short messages, with an empty slot between them when asked: a few data frames each.
    const int second = (form & 1) ? 3 : 2;
    p.fs.put("/prog/a.wav", [] {
        Bytes w = waveFileBytes(800, 8000, 1);
        return std::string(w.begin(), w.end());
    }());
    p.fs.put("/prog/b.wav", [] {
        Bytes w = waveFileBytes(1500, 16000, 2);
        return std::string(w.begin(), w.end());
    }());
    p.fileDialog.chooseNext("/prog/a.wav");
    p.form.Bt_Browse[1].click();
    if (second == 3) {
        p.fileDialog.chooseNext("/prog/b.wav");
        p.form.Bt_Browse[2].click();
        p.form.WaveFile[2].setText("");
    }
    p.fileDialog.chooseNext("/prog/b.wav");
    p.form.Bt_Browse[2].click();
    p.form.MsgUnchanged = (form & 2) != 0;

    EmulatedUnit unit;
    Bytes held;
    p.serial.peer = [&](const Bytes& frame) {
        Bytes reply = unit.receive(frame);
        Bytes out;
        out.swap(held);
        switch (script.next() % kActions) {
            case Flip:
                if (!reply.empty()) {
                    const std::size_t at = script.next() % reply.size();
                    reply[at] ^= static_cast<std::uint8_t>(1u << (script.next() % 8));
                }
                break;
            case Cut:
                reply.resize(reply.empty() ? 0 : script.next() % reply.size());
                break;
            case Replace:
                reply = script.take(script.next() % 32);
                break;
            case Pad: {
                const std::uint8_t how = script.next();
                Bytes pad = script.take(how % 32);
                reply.insert((how & 0x80) ? reply.begin() : reply.end(), pad.begin(), pad.end());
                break;
            }
            case HoldBack:
                held = reply;
                reply.clear();
                break;
            default:
                break;
        }
        out.insert(out.end(), reply.begin(), reply.end());
        return out;
    };
    // Every exchange may cost a time-out or two, and every byte of the input one more.
    p.watchdog(static_cast<std::int64_t>(script.size() + 100) * 2 * LinkSettings::kStartTimeOut);

    FuzzPlatform::guarded([&] { p.form.Bt_SendMessage.click(); });

    FUZZ_CHECK(!p.serial.portOpen(), "port closed at the end");
    FUZZ_CHECK(p.mdi.enabled(), "window enabled at the end");
    FUZZ_CHECK(p.screen.mousePointer() == IScreen::vbDefault, "mouse pointer back");
    FUZZ_CHECK(p.form.TFileLength <= Form1::kMemoryBytes, "length within the memory");
    p.serial.peer = nullptr;
    return 0;
}
