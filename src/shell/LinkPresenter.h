#pragma once

#include <cstdint>
#include <string>

#include "unitlink/ILinkEvents.h"
#include "unitlink/IUploadEvents.h"
#include "unitlink/ReadBackOutcome.h"

class Form1;
class IConnection;
class MDIKVT3310;

/// The window's side of the unit link: turns what the link and the upload report into the texts of the
/// active language on the status line (panel 1 of `sbrStatus`), the progress display, the mouse pointer, the
/// main window's enabled state and the connection indicator.
class LinkPresenter : public ILinkEvents, public IUploadEvents {
public:
    LinkPresenter(Form1& form, MDIKVT3310& mdi) : m_form(form), m_mdi(mdi) {}
    /// The connection a read failure closes; made after the link, which reports here.
    void setConnection(IConnection& connection) { m_connection = &connection; }

    void statusChanged(const StatusEvent& event) override;
    /// The link is closed (indicator, clock) and, unless an upload runs, the window given back.
    void readFailed() override;
    void byteRead(int dataOutPoint, std::uint8_t inputCheckSum) override;

    void uploadStarted() override;
    void progressStarted(std::int32_t total) override;
    void progress(std::int32_t bytesSent) override;
    void progressTime(std::int32_t percent, std::int32_t remainingSeconds) override;
    /// The slot's `TMsgSize` and size label.
    void messageStored(int slot, std::int32_t storedBytes) override;
    void messagesPlaced(std::int32_t endAddress, std::int32_t count) override;
    /// The outcome's status text; a file that is not ready also gets its message box.
    void uploadFinished(const UploadOutcome& outcome) override;
    void uploadEnded() override;
    /// The protocol trace was switched on: the status line names its file after the menu item's caption
    /// ("Protocol trace: /path/KVT3310.LOG"), in the language shown.
    void traceFileShown(const std::string& path);

    /// The protocol trace could not write to `file`: said on the status line, with the system's `reason`.
    void traceUnwritable(const std::string& file, const std::string& reason);

    /// The status line's text for a report or an outcome, after "STATUS:".
    std::string statusText(const StatusEvent& event) const;
    std::string statusText(const UploadOutcome& outcome) const;
    /// What reading the unit back ended with; `messages`: how many came back.
    std::string statusText(const ReadBackOutcome& outcome, std::size_t messages) const;
    /// Shows a text of reading the unit back on the status line.
    void showReadBack(const std::string& text) { showStatus(text); }
    /// Why the link failed, in the language's words; empty when it did not.
    std::string reasonText(const LinkOutcome& outcome) const;
    /// "45%    Remaining Time: 00:01:13" from its parts.
    static std::string progressText(std::int32_t percent, const std::string& remainingText, std::int32_t seconds);

private:
    /// Panel 1: "STATUS:", one blank and the text, each without outer blanks.
    void showStatus(const std::string& text);
    /// `StatusText`(index) and, when the link says why, the reason.
    std::string failureText(int index, const LinkOutcome& link) const;
    /// The lost port's text and, when known, the port and why.
    std::string portLostText(const std::string& reason) const;

    Form1& m_form;
    MDIKVT3310& m_mdi;
    IConnection* m_connection = nullptr;
    /// While an upload runs, a read failure leaves the window to the upload's own end step.
    bool m_uploadRunning = false;
};
