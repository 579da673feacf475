#pragma once

#include <QLocalServer>
#include <QString>
#include <map>
#include <memory>

#include "platform/IWindowSearch.h"

/// The search for a running copy's main window, across processes of the same user. The published main
/// window answers on a local socket named from its window class and the user; a search asks each such
/// socket whether its window's caption equals the caption sought, and showing a found window asks its
/// program to restore and raise it.
///
/// Requests and replies are single lines: "FIND <caption>" answered "FOUND" or "NONE", and "SHOW <command>"
/// answered "DONE"; captions travel in base64 so any text is safe on the line.
class QtWindowSearch : public IWindowSearch {
public:
    /// Copies of the program that can answer at the same time (each takes the next free socket name).
    static constexpr int kMaxCopies = 8;
    /// How long a search waits for an answer from a running copy.
    static constexpr int kReplyTimeoutMs = 3000;

    QtWindowSearch();
    ~QtWindowSearch() override;

    Handle FindWindowA(const std::string& windowClass, const std::string& caption) override;
    void ShowWindow(Handle window, int command) override;
    void publish(const std::string& windowClass, std::function<std::string()> caption,
                 std::function<void()> show) override;

    /// The socket name that copy `copy` (0-based) of a window class answers on.
    static QString serverName(const std::string& windowClass, int copy);
    /// The name this object answers on, empty before `publish` or when every name was taken.
    QString publishedName() const;

private:
    void onConnection();
    QByteArray answer(const QByteArray& request);

    std::unique_ptr<QLocalServer> m_server;
    std::function<std::string()> m_caption;
    std::function<void()> m_show;
    std::map<Handle, QString> m_found;  ///< handles given out by FindWindowA and the sockets they name
    Handle m_lastHandle = 0;
};
