#pragma once

#include <cstdint>
#include <vector>

#include "unitlink/LinkOutcome.h"
#include "unitlink/TableBlocks.h"

/// What reading a unit back ended with: done, stopped on the user's request, or the step that failed with
/// what the link said then.
struct ReadBackOutcome {
    enum class Result { Done, Failed, Stopped };
    enum class Step {
        None,
        Connect,
        /// A table could not be read, or its check word is wrong (`link` then says success).
        Tables,
        /// The message table is blank: the unit holds no set.
        NoSet,
        /// Slot `slot`'s message could not be read; the unit refuses "R" outside its tables when this is the
        /// first message and `link` says refused.
        Message
    };

    Result result = Result::Failed;
    Step failedStep = Step::None;
    LinkOutcome link;
    int slot = 0;

    bool succeeded() const { return result == Result::Done; }
    bool operator==(const ReadBackOutcome&) const = default;
};

/// One message as it came back from the unit.
struct RecoveredMessage {
    int slot = 0;
    /// The WAVE file as the upload read it from the disk; empty when the stream holds no file header that fits
    /// the message's place.
    std::vector<std::uint8_t> file;
    /// The message's check word holds over the file: the unit keeps it as it was sent.
    bool checkWordGood = false;
    bool operator==(const RecoveredMessage&) const = default;
};

/// What the unit holds, as values: its two tables and the messages read back so far, in slot order.
struct UnitContents {
    TableBlocks::MessageTable messageTable;
    TableBlocks::TriggerTable triggerTable;
    std::vector<RecoveredMessage> messages;
    /// The messages whose check word is wrong or whose file could not be recovered.
    std::vector<int> damagedSlots() const {
        std::vector<int> slots;
        for (const RecoveredMessage& m : messages)
            if (!m.checkWordGood || m.file.empty())
                slots.push_back(m.slot);
        return slots;
    }
};
