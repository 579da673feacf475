#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

/// A request to end the program from outside (the session ending, a terminal's Ctrl+C, a script that
/// started the program stopping it) handled as a close of the main window, so that the settings are written
/// and unsaved changes are offered for saving as on any other close. The signal handler only sets a flag;
/// a timer looks at it, since nothing else may run inside a signal handler.
class QtStopRequest : public QObject {
public:
    /// `onRequest` returns false when it cannot act yet (an upload runs): it is asked again a moment later.
    explicit QtStopRequest(std::function<bool()> onRequest);
    ~QtStopRequest() override;

private:
    std::function<bool()> m_onRequest;
    QTimer m_poll;
};
