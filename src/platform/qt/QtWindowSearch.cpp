#include "platform/qt/QtWindowSearch.h"

#include <QCryptographicHash>
#include <QLocalSocket>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr qsizetype kMaxRequest = 64 * 1024;

QString userName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return user;
}

/// One request on a fresh connection; the reply line without its end, or nothing.
std::optional<QByteArray> ask(const QString& server, const QByteArray& request) {
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(QtWindowSearch::kReplyTimeoutMs))
        return std::nullopt;
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(QtWindowSearch::kReplyTimeoutMs))
        return std::nullopt;
    QByteArray reply;
    while (!reply.contains('\n')) {
        if (!socket.waitForReadyRead(QtWindowSearch::kReplyTimeoutMs))
            return std::nullopt;
        reply += socket.readAll();
        if (reply.size() > kMaxRequest)
            return std::nullopt;
    }
    return reply.left(reply.indexOf('\n'));
}

}  // namespace

QtWindowSearch::QtWindowSearch() = default;

QtWindowSearch::~QtWindowSearch() = default;

QString QtWindowSearch::serverName(const std::string& windowClass, int copy) {
    // Hashed, so that any class and user name makes a valid socket name of a safe length.
    const QByteArray key = (QString::fromStdString(windowClass) + '\n' + userName()).toUtf8();
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
    return "kvt3310-window-" + hash + (copy == 0 ? QString() : '-' + QString::number(copy));
}

QString QtWindowSearch::publishedName() const {
    return m_server ? m_server->serverName() : QString();
}

IWindowSearch::Handle QtWindowSearch::FindWindowA(const std::string& windowClass, const std::string& caption) {
    const QByteArray request = "FIND " + QByteArray::fromStdString(caption).toBase64();
    for (int copy = 0; copy < kMaxCopies; ++copy) {
        const QString name = serverName(windowClass, copy);
        if (name == publishedName())
            continue;
        if (ask(name, request) == QByteArray("FOUND")) {
            m_found[++m_lastHandle] = name;
            return m_lastHandle;
        }
    }
    return 0;
}

void QtWindowSearch::ShowWindow(Handle window, int command) {
    auto it = m_found.find(window);
    if (it == m_found.end())
        return;
#ifdef _WIN32
    // Windows lets only the program in the foreground bring a window to the front. This copy, just started by
    // the user, has that right and hands it on before asking the running copy to raise its window.
    AllowSetForegroundWindow(ASFW_ANY);
#endif
    ask(it->second, "SHOW " + QByteArray::number(command));
}

void QtWindowSearch::publish(const std::string& windowClass, std::function<std::string()> caption,
                             std::function<void()> show) {
    m_caption = std::move(caption);
    m_show = std::move(show);
    if (m_server)
        return;
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    for (int copy = 0; copy < kMaxCopies; ++copy) {
        const QString name = serverName(windowClass, copy);
        // A name held by a live copy stays its own (listening would silently take it over); one left behind
        // by a copy that ended abnormally is removed and taken.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(200))
            continue;
        QLocalServer::removeServer(name);
        if (server->listen(name))
            break;
    }
    if (!server->isListening())
        return;
    m_server = std::move(server);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, [this] { onConnection(); });
}

void QtWindowSearch::onConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket, buffer] {
            *buffer += socket->readAll();
            if (buffer->size() > kMaxRequest) {
                socket->abort();
                return;
            }
            const qsizetype end = buffer->indexOf('\n');
            if (end < 0)
                return;
            const QByteArray request = buffer->left(end);
            buffer->clear();
            socket->write(answer(request) + '\n');
            socket->disconnectFromServer();
        });
    }
}

QByteArray QtWindowSearch::answer(const QByteArray& request) {
    if (request.startsWith("FIND ")) {
        const QByteArray caption = QByteArray::fromBase64(request.mid(5));
        const bool match = m_caption && QByteArray::fromStdString(m_caption()) == caption;
        return match ? "FOUND" : "NONE";
    }
    if (request.startsWith("SHOW ")) {
        if (request.mid(5).toInt() == kShowNormal && m_show)
            m_show();
        return "DONE";
    }
    return "NONE";
}
