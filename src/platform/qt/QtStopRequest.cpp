#include "platform/qt/QtStopRequest.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_requested = 0;

extern "C" void onStopSignal(int) {
    g_requested = 1;
}

}  // namespace

QtStopRequest::QtStopRequest(std::function<bool()> onRequest) : m_onRequest(std::move(onRequest)) {
    g_requested = 0;
    std::signal(SIGTERM, onStopSignal);
    std::signal(SIGINT, onStopSignal);
    m_poll.setInterval(250);
    QObject::connect(&m_poll, &QTimer::timeout, this, [this] {
        if (g_requested && m_onRequest && m_onRequest())
            g_requested = 0;
    });
    m_poll.start();
}

QtStopRequest::~QtStopRequest() {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
}
