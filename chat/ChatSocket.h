// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The chat window's connection: a small layer over QTcpSocket with the
// operations and notifications the window is written against. Notifications
// arrive as signals on the user-interface thread.

#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

namespace chat {

class ChatSocket : public QObject
{
    Q_OBJECT
public:
    // The layer's own error for a send without an open connection.
    static constexpr int WrongStateError = 40006;
    // Most bytes one read takes in. The window acts on each read as one
    // message, and what a message costs it grows faster than its length (a
    // long line without a break is laid out in time that grows with its
    // square), so a flood is taken in these pieces and waits in the system
    // meanwhile. Well above anything a server sends as one message.
    static constexpr qint64 MaxReadBytes = qint64{64} * 1024;

    explicit ChatSocket(QObject *parent = nullptr);

    // Ends any connection or attempt, in whatever state; raises no notification.
    void Close();
    // Starts an attempt and returns at once; success arrives as Connected.
    void Connect(const QString &host, quint16 port);
    // The text's characters as code-page bytes, in one write. Raises
    // RunTimeError WrongStateError when no connection is open.
    void SendData(const QString &text);
    // The bytes taken in and not yet read (at most MaxReadBytes), one
    // character a byte.
    QString GetData();

    bool isConnected() const;

Q_SIGNALS:
    void Connected();
    void Closed(); // by the server; not raised when this side closes
    void DataArrival(qint64 bytesTotal);
    // A connection attempt failed: "REFUSED", "HOST NOT FOUND", "UNREACHABLE", "TIMED OUT", ...
    void ConnectFailed(const QString &reason);

private:
    void onError();

    QTcpSocket *socket = nullptr;
    QTimer *attemptTimer = nullptr;
    bool closing = false;
};

} // namespace chat
