// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chat/ChatSocket.h"

#include "core/CodePage.h"
#include "core/RunTimeError.h"

#include <QTcpSocket>
#include <QTimer>

namespace chat {
namespace {

// An attempt that gets no answer is given up after this long rather than the
// system's minutes.
constexpr int AttemptTimeoutMs = 15000;

QString reasonFor(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return QStringLiteral("REFUSED");
    case QAbstractSocket::HostNotFoundError: return QStringLiteral("HOST NOT FOUND");
    case QAbstractSocket::NetworkError: return QStringLiteral("UNREACHABLE");
    case QAbstractSocket::SocketTimeoutError: return QStringLiteral("TIMED OUT");
    default: return QStringLiteral("FAILED");
    }
}

} // namespace

ChatSocket::ChatSocket(QObject *parent)
    : QObject(parent)
    , socket(new QTcpSocket(this))
    , attemptTimer(new QTimer(this))
{
    socket->setReadBufferSize(MaxReadBytes);
    attemptTimer->setSingleShot(true);
    connect(attemptTimer, &QTimer::timeout, this, [this] {
        Close();
        Q_EMIT ConnectFailed(reasonFor(QAbstractSocket::SocketTimeoutError));
    });
    connect(socket, &QTcpSocket::connected, this, [this] {
        attemptTimer->stop();
        Q_EMIT Connected();
    });
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (!closing)
            Q_EMIT Closed();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this] { Q_EMIT DataArrival(socket->bytesAvailable()); });
    connect(socket, &QTcpSocket::errorOccurred, this, &ChatSocket::onError);
}

void ChatSocket::onError()
{
    // Failures of an attempt are reported; errors of an open connection end
    // in its close, which Closed reports.
    if (closing || !attemptTimer->isActive())
        return;
    attemptTimer->stop();
    const QString reason = reasonFor(socket->error());
    Close();
    Q_EMIT ConnectFailed(reason);
}

void ChatSocket::Close()
{
    closing = true;
    attemptTimer->stop();
    socket->abort();
    closing = false;
}

void ChatSocket::Connect(const QString &host, quint16 port)
{
    attemptTimer->start(AttemptTimeoutMs);
    socket->connectToHost(host, port);
}

void ChatSocket::SendData(const QString &text)
{
    if (socket->state() != QAbstractSocket::ConnectedState)
        throw core::RunTimeError(
            WrongStateError,
            QStringLiteral("Wrong protocol or connection state for the requested transaction or request"));
    socket->write(core::CodePage::toBytes(text));
}

QString ChatSocket::GetData() { return core::CodePage::toText(socket->readAll()); }

bool ChatSocket::isConnected() const { return socket->state() == QAbstractSocket::ConnectedState; }

} // namespace chat
