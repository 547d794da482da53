// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A raw TCP peer for the chat tests: it listens on a free loopback port for one
// connection, or connects; it sends bytes as they are and keeps all that came.

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

// Runs the waiting events, then the deletions they deferred.
void settleEvents();
// How long a test waits for a condition before it fails. A loaded machine
// running the sanitized build may take seconds where an idle one takes
// milliseconds; a wait whose condition holds ends at once.
constexpr int WaitMs = 60 * 1000;
// Runs events until the condition holds; a loop of sends keeps up with the reader.
bool waitUntil(const std::function<bool()> &condition, int ms = WaitMs);

class TestPeer : public QObject
{
public:
    TestPeer();                                         // listens
    explicit TestPeer(quint16 port, bool reads = true); // connects; a non-reader leaves all in the system
    void attach(QTcpSocket *connection, bool reads);
    bool connected() const { return socket && socket->state() == QAbstractSocket::ConnectedState; }
    void send(const QByteArray &bytes) // sent once connected
    {
        socket->write(bytes);
        if (connected())
            socket->flush();
    }
    bool expect(const QByteArray &bytes); // waits for that many bytes, forgets them: true if these
    void reset();                         // RST rather than FIN

    QTcpServer server;
    QPointer<QTcpSocket> socket;
    QByteArray received; // all that came, in order
};
