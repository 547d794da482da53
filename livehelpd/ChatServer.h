// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Live Help server. Each TCP connection is one client: its first message
// names it, later messages "text|" + line are relayed to every other named
// client as "text|" + sender + "|" + line, and every join or leave sends all
// named clients the people-online list "cons|" + each name + "|". A message
// is what the client wrote at once; it may arrive in pieces, and a piece that
// does not begin a message is the rest of the one before (Settings).
// Names are made unique in what the others see ("Ann (2)"); the name
// "Server" is the server's own, for the lines it sends a client itself.
//
// What goes out to a client waits in that client's own queue and leaves one
// message per write, at least Settings::gapMs apart, so that a client reading
// whenever data arrives sees one message per read. Every client is
// distrusted: the settings bound what one may send, how fast, how much may
// wait for it, how long it may stay without a name, and how many may be
// connected. A client crossing a bound is told why by a line from "Server"
// where it can still read one, then cut off, and its lines still waiting for
// the others go with it; the others go on.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <vector>

class QHostAddress;
class QTcpServer;

namespace livehelpd {

// An address and port as the log shows them: IPv6 in brackets, and an IPv4
// client of a dual-stack listener (::ffff:a.b.c.d) as plain IPv4.
QString endpointText(const QHostAddress &address, quint16 port);

struct Settings {
    // Least time between two writes to one client; 0 writes each message as
    // soon as the socket has taken the previous one.
    int gapMs = 50;
    // Connections beyond this many, in all and from one address, are turned
    // away (a class behind one address fits in the latter).
    int maxClients = 256;
    int maxPerAddress = 64;
    // A connection that has not sent its name this long after it came is
    // cut off, so that silent ones do not hold places; 0: no limit.
    int nameTimeoutMs = 30 * 1000;
    // The longest message relayed, "text|" + name + "|" + line: the most the
    // chat window reads at once. A longer line is not relayed; its sender is
    // told. A name message is bounded alike.
    qsizetype maxMessageBytes = qsizetype{64} * 1024;
    // A message may reach the server in pieces (TCP segments): a piece that
    // does not begin a message is the rest of the one before if it comes
    // within this time of the previous piece.
    int pieceTimeoutMs = 200;
    // Names are cut to this length.
    qsizetype maxNameBytes = 64;
    // A client may send a burst of this many chunks, then this many a second.
    int maxChunksPerSecond = 300;
    // Bytes a client may send in chunks that are neither its name nor a line.
    qint64 maxBytesWithoutMessage = qint64{10} * 1024 * 1024;
    // Lines waiting for one client, counted in messages and in bytes
    // (including what the socket holds); besides them at most one
    // people-online list waits. A line that would go beyond either cuts off
    // the client if it has stopped taking what is written to it, and
    // otherwise the line's sender: the backlog of a client that reads is
    // made by lines coming faster than the gap lets them out.
    qsizetype maxQueuedMessages = 1000;
    qint64 maxQueuedBytes = qint64{1024} * 1024;
    // The kernel's send buffer for each client, so that a client that does
    // not read is noticed before megabytes pile up for it.
    int socketSendBufferBytes = 64 * 1024;
    // A client whose network vanished is noticed by TCP keep-alive (probes
    // after this idle time, this far apart, this many) and, while data waits
    // for it unacknowledged, by the user timeout; 0 turns either off.
    int keepAliveIdleSeconds = 60;
    int keepAliveIntervalSeconds = 10;
    int keepAliveProbes = 3;
    int userTimeoutMs = 90 * 1000;
    // Each relayed line also goes to the log.
    bool logMessages = false;
};

class ChatServer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChatServer)

public:
    enum class Reason : quint8 {
        Left,               // the client closed the connection
        SocketError,        // the connection was lost (reset, or no answer to keep-alive)
        ServerFull,         // maxClients were already connected
        TooManyFromAddress, // maxPerAddress were already connected from its address
        TooFast,            // more chunks than maxChunksPerSecond allows
        NoMessages,         // maxBytesWithoutMessage of chunks that were no message
        NotReading,         // its output went beyond a bound while it took none
        Flooding,           // its lines took a reading client's queue beyond a bound
        NoName,             // no name within nameTimeoutMs of connecting
    };
    Q_ENUM(Reason)

    explicit ChatServer(const Settings &settings = {}, QObject *parent = nullptr);
    ~ChatServer() override;

    // May be called once for each address to serve; port 0 takes a free one.
    bool listen(const QHostAddress &address, quint16 port);
    QString errorString() const;        // why the last listen failed
    QHostAddress serverAddress() const; // of the first address listened on
    quint16 serverPort() const;

    const Settings &settings() const { return limits; }
    // Connected clients, named or not, not counting those being cut off.
    int clientCount() const;
    // The people online, in the order their names arrived.
    QList<QByteArray> names() const;
    // Every byte read from every client so far.
    qint64 bytesReceived() const { return receivedBytes; }

    // The most that has waited in the server for or from one client so far,
    // as the bounds count it.
    struct Backlog {
        qint64 chunkBytes = 0;        // one read: at most maxMessageBytes + 1
        qsizetype queuedMessages = 0; // at most maxQueuedMessages
        qint64 queuedBytes = 0;       // at most maxQueuedBytes
    };
    const Backlog &peakBacklog() const { return peaks; }

    // The text of a reason in a log line.
    QString describe(Reason reason) const;
    // What the client is told before it is cut off for that reason; empty
    // where it is not told (it left, or it does not read).
    QString farewell(Reason reason) const;

Q_SIGNALS:
    // One line for the log per connect, join and disconnect (and relayed
    // line, with logMessages), without a line end.
    void logLine(const QString &line);
    // A client has gone, for the reason given; name is empty when it never
    // sent one.
    void clientDisconnected(livehelpd::ChatServer::Reason reason, const QByteArray &name);

private:
    class Client;

    void acceptConnections(QTcpServer *listener);
    void read(Client *client);
    void finishMessage(Client *client);
    bool countNoMessage(Client *client, qint64 bytes);
    void join(Client *client, const QByteArray &message);
    QByteArray uniqueName(const QByteArray &name) const;
    void tell(Client *client, const QString &text);
    void relay(Client *sender, const QByteArray &message);
    void listChanged();
    void enqueueLine(Client *client, const QByteArray &message, Client *sender);
    void enqueueList(Client *client);
    void forgetLinesFrom(const Client *sender);
    void pump(Client *client);
    void drop(Client *client, Reason reason, const QString &detail = QString());
    void sweep();

    Settings limits;
    std::vector<QTcpServer *> listeners;
    QString listenError;
    std::vector<Client *> clients; // in connection order
    std::vector<Client *> members; // named, in joining order
    QByteArray currentList;        // "cons|..." for the members not being cut off
    qint64 receivedBytes = 0;
    quint64 clientsSeen = 0;
    Backlog peaks;
    bool sweepPending = false;
};

} // namespace livehelpd
