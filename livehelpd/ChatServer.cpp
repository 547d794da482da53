// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "livehelpd/ChatServer.h"

#include "livehelpd/OutputQueue.h"
#include "livehelpd/Protocol.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace livehelpd {

namespace {

using Clock = std::chrono::steady_clock;

// An address as the log shows it and the per-address limit counts it: an
// IPv4 client of a dual-stack listener arrives as ::ffff:a.b.c.d and is
// plain IPv4 here.
QString hostText(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    return isIPv4 ? QHostAddress(ipv4).toString() : address.toString();
}

// A vanished client (no FIN, no reset) is noticed by keep-alive probes while
// it is idle, and by the user timeout while data waits for it unacknowledged
// (keep-alive sends no probe then).
void watchForVanishing(QTcpSocket *socket, const Settings &limits)
{
    const auto fd = int(socket->socketDescriptor());
    const auto option = [fd](int level, int name, int value) {
        if (value > 0)
            ::setsockopt(fd, level, name, &value, sizeof value);
    };
    if (limits.keepAliveIdleSeconds > 0) {
        socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        option(IPPROTO_TCP, TCP_KEEPIDLE, limits.keepAliveIdleSeconds);
        option(IPPROTO_TCP, TCP_KEEPINTVL, limits.keepAliveIntervalSeconds);
        option(IPPROTO_TCP, TCP_KEEPCNT, limits.keepAliveProbes);
    }
    option(IPPROTO_TCP, TCP_USER_TIMEOUT, limits.userTimeoutMs);
}

// Qt reports a reset as a close, and has closed its descriptor by then; a
// second descriptor of the connection still asks the kernel, where a peer
// that closed leaves it half open (CLOSE_WAIT) and a reset closes it.
bool wasReset(int descriptor)
{
    tcp_info info{};
    socklen_t size = sizeof info;
    return ::getsockopt(descriptor, IPPROTO_TCP, TCP_INFO, &info, &size) == 0 && info.tcpi_state == TCP_CLOSE;
}

const QByteArray ServerName = QByteArrayLiteral("Server");

// A line from the server itself to one client.
QByteArray serverLine(const QString &text) { return protocol::chatLineMessage(ServerName, text.toLatin1()); }

// A name as the log shows it: quoted, with every byte outside printable
// ASCII (and the quote and backslash) as \xNN, since the bytes are in the
// client's code page and the log is not.
QString quotedName(const QByteArray &name)
{
    QString text(1, u'"');
    for (const char byte : name) {
        const auto code = static_cast<unsigned char>(byte);
        if (code >= 0x20 && code < 0x7F && byte != '"' && byte != '\\')
            text += QLatin1Char(byte);
        else
            text += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
    }
    return text + u'"';
}

} // namespace

QString endpointText(const QHostAddress &address, quint16 port)
{
    const QString host = hostText(address);
    return (host.contains(u':') ? u'[' + host + u']' : host) + u':' + QString::number(port);
}

// One connection. Owns its socket and its pacing timer; the server owns it
// and deletes it once it has gone (see sweep).
class ChatServer::Client : public QObject
{
public:
    Client(QTcpSocket *connection, QObject *parent)
        : QObject(parent)
        , socket(connection)
    {
        socket->setParent(this);
        kernelView = ::dup(int(socket->socketDescriptor()));
        pacing.setSingleShot(true);
        pacing.setTimerType(Qt::PreciseTimer);
        naming.setSingleShot(true);
        pieces.setSingleShot(true);
    }

    ~Client() override { letGo(); }
    // The connection ends only when every descriptor of it is closed.
    void letGo()
    {
        if (kernelView >= 0)
            ::close(kernelView);
        kernelView = -1;
    }

    QTcpSocket *socket;
    int kernelView = -1; // a second descriptor of the connection, see wasReset
    quint64 id = 0;      // unlike its address, never reused
    QTimer pacing;
    QTimer naming;
    QTimer pieces; // the message read so far is whole when it runs out
    QString host;
    QString peer;
    QByteArray name;
    bool named = false;
    bool closing = false;
    bool pumping = false;
    Reason reason = Reason::Left;
    QString detail;

    OutputQueue output;
    bool wroteBefore = false;
    Clock::time_point lastWrite;

    QByteArray message;      // read so far, its rest may still come
    bool messageCut = false; // longer than maxMessageBytes: only its start is kept

    double chunkTokens = 0;
    Clock::time_point lastChunk;
    qint64 bytesWithoutMessage = 0;
};

ChatServer::ChatServer(const Settings &settings, QObject *parent)
    : QObject(parent)
    , limits(settings)
    , currentList(protocol::userListMessage({}))
{
}

ChatServer::~ChatServer()
{
    // The clients' sockets go with their owners; nothing may call back into
    // a server that is being taken apart.
    for (Client *client : clients) {
        disconnect(client->socket, nullptr, client, nullptr);
        client->socket->abort();
    }
}

bool ChatServer::listen(const QHostAddress &address, quint16 port)
{
    auto *listener = new QTcpServer(this);
    if (!listener->listen(address, port)) {
        listenError = listener->errorString();
        delete listener;
        return false;
    }
    connect(listener, &QTcpServer::newConnection, this, [this, listener] { acceptConnections(listener); });
    listeners.push_back(listener);
    return true;
}

QString ChatServer::errorString() const { return listenError; }

QHostAddress ChatServer::serverAddress() const
{
    return listeners.empty() ? QHostAddress() : listeners.front()->serverAddress();
}

quint16 ChatServer::serverPort() const { return listeners.empty() ? 0 : listeners.front()->serverPort(); }

int ChatServer::clientCount() const
{
    return int(std::count_if(clients.begin(), clients.end(), [](const Client *c) { return !c->closing; }));
}

QList<QByteArray> ChatServer::names() const
{
    QList<QByteArray> online;
    for (const Client *member : members) {
        if (!member->closing)
            online.append(member->name);
    }
    return online;
}

QString ChatServer::describe(Reason reason) const
{
    switch (reason) {
    case Reason::Left: return QStringLiteral("left");
    case Reason::SocketError: return QStringLiteral("connection lost");
    case Reason::ServerFull: return QStringLiteral("cut off: server full (%1 clients)").arg(limits.maxClients);
    case Reason::TooManyFromAddress:
        return QStringLiteral("cut off: too many connections from its address (%1)").arg(limits.maxPerAddress);
    case Reason::TooFast:
        return QStringLiteral("cut off: more than %1 messages a second").arg(limits.maxChunksPerSecond);
    case Reason::NoMessages:
        return QStringLiteral("cut off: more than %1 bytes without a message").arg(limits.maxBytesWithoutMessage);
    case Reason::NotReading:
        return QStringLiteral("cut off: not reading (more than %1 messages or %2 bytes waiting)")
            .arg(limits.maxQueuedMessages)
            .arg(limits.maxQueuedBytes);
    case Reason::Flooding:
        return QStringLiteral("cut off: lines faster than they can be passed on (more than %1 messages or %2 bytes "
                              "waiting for a reader)")
            .arg(limits.maxQueuedMessages)
            .arg(limits.maxQueuedBytes);
    case Reason::NoName: return QStringLiteral("cut off: no name within %1 ms").arg(limits.nameTimeoutMs);
    }
    return QString();
}

QString ChatServer::farewell(Reason reason) const
{
    switch (reason) {
    case Reason::Left:
    case Reason::SocketError:
    case Reason::NotReading: return QString();
    case Reason::ServerFull:
        return QStringLiteral("Sorry, the room is full (%1 people). Please try again later.").arg(limits.maxClients);
    case Reason::TooManyFromAddress:
        return QStringLiteral("Sorry, there are already %1 connections from your address. Please close one and try "
                              "again.")
            .arg(limits.maxPerAddress);
    case Reason::TooFast:
        return QStringLiteral("You were disconnected: your program sent more than %1 messages a second.")
            .arg(limits.maxChunksPerSecond);
    case Reason::NoMessages:
        return QStringLiteral("You were disconnected: your program sent data that are not chat messages.");
    case Reason::Flooding:
        return QStringLiteral("You were disconnected: you sent lines faster than they can be passed on.");
    case Reason::NoName:
        return QStringLiteral("You were disconnected: no name was sent within %1 seconds of connecting.")
            .arg(limits.nameTimeoutMs / 1000.0);
    }
    return QString();
}

void ChatServer::acceptConnections(QTcpServer *listener)
{
    while (QTcpSocket *socket = listener->nextPendingConnection()) {
        auto *client = new Client(socket, this);
        client->id = ++clientsSeen;
        client->host = hostText(socket->peerAddress());
        client->peer = endpointText(socket->peerAddress(), socket->peerPort());
        clients.push_back(client);
        Q_EMIT logLine(QStringLiteral("connect ") + client->peer);
        if (clientCount() > limits.maxClients) {
            drop(client, Reason::ServerFull);
            continue;
        }
        const auto fromHere = std::count_if(clients.begin(), clients.end(), [client](const Client *c) {
            return !c->closing && c->host == client->host;
        });
        if (fromHere > limits.maxPerAddress) {
            drop(client, Reason::TooManyFromAddress);
            continue;
        }

        // Reading stops one byte past the longest message: a flood waits in
        // the kernel instead of in our memory.
        socket->setReadBufferSize(limits.maxMessageBytes + 1);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        if (limits.socketSendBufferBytes > 0)
            socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, limits.socketSendBufferBytes);
        watchForVanishing(socket, limits);
        client->chunkTokens = limits.maxChunksPerSecond;
        client->lastChunk = Clock::now();

        connect(socket, &QTcpSocket::readyRead, client, [this, client] { read(client); });
        connect(socket, &QTcpSocket::bytesWritten, client, [this, client] { pump(client); });
        connect(socket, &QTcpSocket::disconnected, client, [this, client] { drop(client, Reason::Left); });
        connect(socket, &QTcpSocket::errorOccurred, client, [this, client](QAbstractSocket::SocketError error) {
            if (error == QAbstractSocket::RemoteHostClosedError && !wasReset(client->kernelView))
                drop(client, Reason::Left);
            else if (error == QAbstractSocket::RemoteHostClosedError)
                drop(client, Reason::SocketError, QStringLiteral("reset by the client"));
            else
                drop(client, Reason::SocketError, client->socket->errorString());
        });
        connect(&client->pacing, &QTimer::timeout, client, [this, client] { pump(client); });
        connect(&client->pieces, &QTimer::timeout, client, [this, client] { finishMessage(client); });
        if (limits.nameTimeoutMs > 0) {
            connect(&client->naming, &QTimer::timeout, client, [this, client] { drop(client, Reason::NoName); });
            client->naming.start(limits.nameTimeoutMs);
        }
    }
}

void ChatServer::read(Client *client)
{
    if (client->closing)
        return;
    const QByteArray chunk = client->socket->readAll();
    if (chunk.isEmpty())
        return;
    receivedBytes += chunk.size();
    peaks.chunkBytes = std::max<qint64>(peaks.chunkBytes, chunk.size());

    // A bucket of maxChunksPerSecond chunks, refilled at that rate.
    const Clock::time_point now = Clock::now();
    const double seconds = std::chrono::duration<double>(now - client->lastChunk).count();
    client->lastChunk = now;
    client->chunkTokens
        = std::min<double>(limits.maxChunksPerSecond, client->chunkTokens + seconds * limits.maxChunksPerSecond);
    if (client->chunkTokens < 1) {
        drop(client, Reason::TooFast);
        return;
    }
    client->chunkTokens -= 1;

    // The first chunk begins the name, whatever it holds; after it, only a
    // chunk of a known kind begins a message, and any other is the rest of
    // the message before, or else no message at all.
    const bool beginsName = !client->named && client->message.isEmpty();
    if (beginsName || protocol::beginsMessage(chunk)) {
        finishMessage(client);
        if (client->closing)
            return;
        client->message = chunk;
    } else if (!client->message.isEmpty()) {
        client->message += chunk;
    } else {
        countNoMessage(client, chunk.size());
        return;
    }
    if (client->message.size() > limits.maxMessageBytes) {
        // What goes beyond the longest message is passed on to nobody.
        const qint64 beyond = client->message.size() - limits.maxMessageBytes;
        client->messageCut = true;
        client->message.truncate(limits.maxMessageBytes);
        if (countNoMessage(client, beyond))
            return;
    }
    if (limits.pieceTimeoutMs > 0)
        client->pieces.start(limits.pieceTimeoutMs);
    else
        finishMessage(client);
}

// Bytes a client sent that are passed on to nobody; past the bound the client
// is cut off (true then).
bool ChatServer::countNoMessage(Client *client, qint64 bytes)
{
    client->bytesWithoutMessage += bytes;
    if (client->bytesWithoutMessage <= limits.maxBytesWithoutMessage)
        return false;
    drop(client, Reason::NoMessages);
    return true;
}

// The message read so far is whole: a name, a line to relay, or neither.
void ChatServer::finishMessage(Client *client)
{
    client->pieces.stop();
    if (client->closing || client->message.isEmpty())
        return;
    const QByteArray message = std::exchange(client->message, {});
    const bool cut = std::exchange(client->messageCut, false);
    if (!client->named) {
        join(client, message);
        return;
    }
    QByteArrayView line;
    if (!protocol::lineFromChunk(message, &line)) {
        countNoMessage(client, message.size());
        return;
    }
    const QByteArray relayed = protocol::chatLineMessage(client->name, line);
    if (cut || relayed.size() > limits.maxMessageBytes) {
        tell(client,
             QStringLiteral("Your last line was not passed on: with your name it is longer than %1 "
                            "bytes, the most a chat window takes at once. Please send it in parts.")
                 .arg(limits.maxMessageBytes));
        return;
    }
    client->bytesWithoutMessage = 0;
    if (limits.logMessages)
        Q_EMIT logLine(QStringLiteral("line ") + client->peer + u' ' + quotedName(client->name) + QStringLiteral(": ")
                       + quotedName(line.toByteArray()));
    relay(client, relayed);
}

void ChatServer::join(Client *client, const QByteArray &message)
{
    client->name = uniqueName(protocol::sanitiseName(protocol::nameFromChunk(message), limits.maxNameBytes));
    client->named = true;
    client->naming.stop();
    client->bytesWithoutMessage = 0;
    members.push_back(client);
    listChanged();
    Q_EMIT logLine(QStringLiteral("join ") + client->peer + u' ' + quotedName(client->name)
                   + QStringLiteral("; %1 online").arg(names().size()));
}

// The name as the others see it: "Server" and the names of those online are
// taken, so a second "Ann" is "Ann (2)".
QByteArray ChatServer::uniqueName(const QByteArray &name) const
{
    const auto taken = [this](const QByteArray &candidate) {
        return candidate == ServerName || std::any_of(members.begin(), members.end(), [&](const Client *member) {
                   return !member->closing && member->name == candidate;
               });
    };
    QByteArray unique = name;
    for (int n = 2; taken(unique); ++n)
        unique = name + " (" + QByteArray::number(n) + ')';
    return unique;
}

// A line from the server to one client, in its turn with the others.
void ChatServer::tell(Client *client, const QString &text)
{
    client->output.appendLine(serverLine(text), 0);
    pump(client);
}

void ChatServer::relay(Client *sender, const QByteArray &message)
{
    // By index: a client cut off on the way is only marked, never removed
    // here, so the vector stays as it is. Once the sender is cut off, its
    // line goes to nobody more.
    for (std::size_t i = 0; i < members.size() && !sender->closing; ++i) {
        if (members[i] != sender)
            enqueueLine(members[i], message, sender);
    }
}

void ChatServer::listChanged()
{
    currentList = protocol::userListMessage(names());
    for (std::size_t i = 0; i < members.size(); ++i)
        enqueueList(members[i]);
}

void ChatServer::enqueueLine(Client *client, const QByteArray &message, Client *sender)
{
    if (client->closing)
        return;
    const qsizetype lines = client->output.lineCount() + 1;
    const qint64 waiting = client->output.lineBytes() + message.size() + client->socket->bytesToWrite();
    if (lines > limits.maxQueuedMessages || waiting > limits.maxQueuedBytes) {
        // A socket holding nothing unwritten has handed all it was given to
        // the system: the client takes its output, and what waits is the
        // pacing's backlog.
        if (client->socket->bytesToWrite() > 0)
            drop(client, Reason::NotReading);
        else
            drop(sender, Reason::Flooding);
        return;
    }
    client->output.appendLine(message, sender->id);
    peaks.queuedMessages = std::max(peaks.queuedMessages, lines);
    peaks.queuedBytes = std::max(peaks.queuedBytes, waiting);
    pump(client);
}

void ChatServer::enqueueList(Client *client)
{
    if (client->closing || !client->output.appendList())
        return;
    pump(client);
}

void ChatServer::forgetLinesFrom(const Client *sender)
{
    for (Client *client : clients)
        client->output.forgetLinesFrom(sender->id);
}

// Writes what waits for a client, one message per write: only when the
// socket holds nothing unwritten (so the kernel gets each message on its
// own) and, with a gap, only gapMs after the previous write. Called again
// by the socket when it has written, and by the pacing timer.
void ChatServer::pump(Client *client)
{
    if (client->closing || client->pumping)
        return;
    client->pumping = true;
    const auto gap = std::chrono::milliseconds(limits.gapMs);
    while (!client->closing && !client->output.empty() && client->socket->bytesToWrite() == 0) {
        const Clock::time_point now = Clock::now();
        if (limits.gapMs > 0 && client->wroteBefore && now - client->lastWrite < gap) {
            if (!client->pacing.isActive()) {
                const auto wait = std::chrono::ceil<std::chrono::milliseconds>(gap - (now - client->lastWrite));
                client->pacing.start(wait);
            }
            break;
        }
        const QByteArray message = client->output.takeNext(currentList);
        client->wroteBefore = true;
        client->lastWrite = now;
        client->socket->write(message);
        // May report an error, which cuts the client off and ends the loop.
        client->socket->flush();
    }
    client->pumping = false;
}

// Cuts a client off now, but leaves it in the server's lists: this may run
// in the middle of a relay or from the socket's own signals. sweep() removes
// it once control is back in the event loop.
void ChatServer::drop(Client *client, Reason reason, const QString &detail)
{
    if (client->closing)
        return;
    // One that left says its last words, also a line still coming in pieces.
    if (reason == Reason::Left || reason == Reason::SocketError)
        finishMessage(client);
    if (client->closing)
        return;
    client->closing = true;
    client->reason = reason;
    client->detail = detail;
    client->pacing.stop();
    client->naming.stop();
    client->pieces.stop();
    client->output.clear();
    // One that was cut off takes its lines not yet passed on with it, so a
    // flood does not go on after its sender has gone.
    if (reason != Reason::Left && reason != Reason::SocketError)
        forgetLinesFrom(client);
    disconnect(client->socket, nullptr, client, nullptr);
    client->letGo();
    // Told why, where the socket can take it, then closed after it.
    const QString why = farewell(reason);
    if (!why.isEmpty() && client->socket->bytesToWrite() == 0
        && client->socket->state() == QAbstractSocket::ConnectedState) {
        client->socket->write(serverLine(why));
        client->socket->flush();
        client->socket->disconnectFromHost();
    } else {
        client->socket->abort();
    }
    if (!sweepPending) {
        sweepPending = true;
        const auto sweepSoon = [this] { sweep(); };
        QMetaObject::invokeMethod(this, sweepSoon, Qt::QueuedConnection);
    }
}

void ChatServer::sweep()
{
    sweepPending = false;
    const auto gone
        = std::stable_partition(clients.begin(), clients.end(), [](const Client *c) { return !c->closing; });
    const std::vector<Client *> leaving(gone, clients.end());
    clients.erase(gone, clients.end());
    const std::size_t membersBefore = members.size();
    std::erase_if(members, [](const Client *c) { return c->closing; });
    if (members.size() != membersBefore)
        listChanged();

    struct Departure {
        QString line;
        Reason reason;
        QByteArray name;
    };
    std::vector<Departure> departures;
    for (Client *client : leaving) {
        QString line = QStringLiteral("disconnect ") + client->peer + u' '
            + (client->named ? quotedName(client->name) : QStringLiteral("(no name)")) + QStringLiteral(": ")
            + describe(client->reason);
        if (!client->detail.isEmpty())
            line += QStringLiteral(" (") + client->detail + u')';
        line += QStringLiteral("; %1 online").arg(members.size());
        departures.push_back({line, client->reason, client->named ? client->name : QByteArray()});
        client->deleteLater();
    }
    for (const Departure &departure : departures) {
        Q_EMIT logLine(departure.line);
        Q_EMIT clientDisconnected(departure.reason, departure.name);
    }
}

} // namespace livehelpd
