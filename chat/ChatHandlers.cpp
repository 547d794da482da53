// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chat/ChatHandlers.h"

#include "LinkAddresses.h"
#include "app/LinkLauncher.h"
#include "app/MessageBoxes.h"
#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "chat/ChatSocket.h"
#include "chat/Protocol.h"
#include "core/RunTimeError.h"
#include "forms/ChatForm.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>

namespace chat {

namespace {

using app::WindowManager;
using core::RunTimeError;

QWidget *control(QWidget &window, const char *name) { return forms::findControl(&window, QString::fromLatin1(name)); }

QString textOf(QWidget &window, const char *name) { return forms::controlText(control(window, name)); }

ChatSocket &sock(QWidget &window) { return *window.findChild<ChatSocket *>(QStringLiteral("sock")); }

// "Connect To Chat" and the menu's "Connect". Cancel, or an empty answer,
// leaves any current connection alone.
void connectToServer(QWidget &window, quint16 port)
{
    const std::optional<QString> host
        = app::MessageBoxes::askText(&window, QStringLiteral("Connect"), QStringLiteral("Please write IP or HostName."),
                                     QStringLiteral("LocalHost"));
    if (!host || host->isEmpty())
        return;
    sock(window).Close();
    sock(window).Connect(*host, port);
}

// The connection is made: announce the user by the name the box holds now.
void sock_Connect(WindowManager &windows, forms::Form &window)
{
    SetStatus(window, QStringLiteral("Connected"));
    // One pass over the events already waiting (a click, data), so that they
    // come before the name is sent; the window may be unloaded by one of them.
    const QPointer<forms::Form> self(&window);
    QCoreApplication::processEvents();
    if (!self || !windows.isLoaded(forms::ChatName) || &windows.instance(forms::ChatName) != self)
        return;
    // Nor is the connection sure to be there still: one of those events may
    // have been the server closing it, which Closed has already shown.
    if (!sock(window).isConnected())
        return;
    sock(window).SendData(FormatNameMessage(textOf(window, "txtName")));
    forms::setControlText(control(window, "Label4"), QStringLiteral("ONLINE"));
}

// Enter (with any of Shift, Ctrl, Alt) sends the line; other keys pass. The
// line shows in the log first; if the send is refused the line stays in
// the box, so nothing typed is lost.
void txtOut_KeyDown(QWidget &window, int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    const QString line = textOf(window, "txtOut");
    AddMessage(window, textOf(window, "txtName"), line);
    sock(window).SendData(FormatTextMessage(line));
    forms::setControlText(control(window, "txtOut"), QString());
}

// The menu's "Disconnect": the connection ends, the window stays.
void discon_Click(QWidget &window)
{
    sock(window).Close();
    SetStatus(window, QStringLiteral("Disconnected"));
    forms::setControlText(control(window, "Label4"), QString());
}

} // namespace

void SetStatus(QWidget &chatWindow, const QString &status)
{
    chatWindow.setWindowTitle(QStringLiteral("Brackwell - Live Help [") + status + QLatin1Char(']'));
}

void AddMessage(QWidget &chatWindow, const QString &sender, const QString &line)
{
    // Appended at the end through a cursor: constant work per message,
    // however long the log has grown.
    auto *log = static_cast<QPlainTextEdit *>(control(chatWindow, "txtChat"));
    QTextCursor end(log->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("-=") + sender + QStringLiteral("=-\r\n") + line + QStringLiteral("\r\n"));
    log->setTextCursor(end); // the caret at the end keeps the newest message in view
}

void ActOnServerText(QWidget &chatWindow, const QString &text)
{
    ServerMessage message;
    try {
        message = ParseServerMessage(text);
    } catch (const RunTimeError &) {
        return; // malformed data from a remote peer is no reason for a box
    }
    if (const auto *list = std::get_if<UserList>(&message)) {
        auto *people = static_cast<QListWidget *>(control(chatWindow, "List"));
        people->clear();
        people->addItems(list->names);
    } else if (const auto *line = std::get_if<ChatLine>(&message)) {
        AddMessage(chatWindow, line->sender, line->line);
    }
}

void bindChatWindow(app::WindowEvents &events, quint16 serverPort)
{
    forms::Form *self = &events.window();
    WindowManager *windows = &events.manager();
    auto *socket = new ChatSocket(self); // lives and dies with the window
    socket->setObjectName(QStringLiteral("sock"));

    SetStatus(*self, QStringLiteral("Disconnected")); // Form_Load, before the first show

    events.onClick(QStringLiteral("Command2"), [self, serverPort] { connectToServer(*self, serverPort); });
    events.onClick(QStringLiteral("con"), [self, serverPort] { connectToServer(*self, serverPort); });
    events.onClick(QStringLiteral("discon"), [self] { discon_Click(*self); });
    app::bindUnloadSelf(events, QStringLiteral("avsluta")); // "End": as "Disconnect From Chat"
    app::bindHideThenShow(events, QStringLiteral("Command1"), forms::MainWindowName); // "Back To Main"
    app::bindUnloadSelf(events,
                        QStringLiteral("Command3")); // "Disconnect From Chat": the connection goes with the window
    events.onClick(QStringLiteral("Label3"), [self] { app::LinkLauncher::open(self, QString::fromUtf8(ChatInfoUrl)); });
    events.onKeyDown(QStringLiteral("txtOut"), [self](int key, Qt::KeyboardModifiers) { txtOut_KeyDown(*self, key); });

    events.onSignal(socket, &ChatSocket::Connected, [windows, self] { sock_Connect(*windows, *self); });
    events.onSignal(socket, &ChatSocket::Closed, [self] { SetStatus(*self, QStringLiteral("Disconnected")); });
    events.onSignal(socket, &ChatSocket::DataArrival, [self, socket] { ActOnServerText(*self, socket->GetData()); });
    events.onSignal(socket, &ChatSocket::ConnectFailed, [self](const QString &reason) {
        SetStatus(*self, QStringLiteral("Disconnected"));
        forms::setControlText(control(*self, "Label4"), reason);
    });
}

} // namespace chat
