// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/TestPeer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <sys/socket.h>

void settleEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool waitUntil(const std::function<bool()> &condition, int ms)
{
    for (const QDeadlineTimer deadline(ms); !condition(); QThread::msleep(1)) {
        if (deadline.hasExpired())
            return false;
        settleEvents();
    }
    return true;
}

TestPeer::TestPeer()
{
    server.listen(QHostAddress::LocalHost, 0);
    connect(&server, &QTcpServer::newConnection, this, [this] { attach(server.nextPendingConnection(), true); });
}

TestPeer::TestPeer(quint16 port, bool reads)
{
    attach(new QTcpSocket(this), reads);
    socket->connectToHost(QHostAddress::LocalHost, port);
}

void TestPeer::attach(QTcpSocket *connection, bool reading)
{
    socket = connection;
    if (reading)
        connect(socket, &QTcpSocket::readyRead, this, [this] { received += socket->readAll(); });
    else
        socket->setReadBufferSize(1);
}

bool TestPeer::expect(const QByteArray &bytes)
{
    waitUntil([&] { return received.size() >= bytes.size(); });
    const QByteArray got = std::exchange(received, QByteArray());
    if (got != bytes)
        qWarning() << "expected" << bytes.left(200) << "got" << got.left(200);
    return got == bytes;
}

void TestPeer::reset()
{
    const linger hard{1, 0}; // close then throws away what is unsent
    ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    socket->abort();
}
