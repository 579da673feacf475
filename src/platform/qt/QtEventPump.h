#pragma once

#include "platform/IEventPump.h"

/// The Qt event loop seen from inside a handler.
class QtEventPump : public IEventPump {
public:
    void waitForEvents() override;
    void processEvents() override;
    std::unique_ptr<ITimer> createTimer() override;
};
