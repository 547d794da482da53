// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace app {
class WindowEvents;
}

namespace chat {

// Handlers of the Live Help window Chat, which talks to the chat server on
// the given port.
void bindChatWindow(app::WindowEvents &events, quint16 serverPort);

// Sets the window title from a status word ("Disconnected", "Connected").
void SetStatus(QWidget &chatWindow, const QString &status);

// Appends one message to the log: "-=" sender "=-", then the line.
void AddMessage(QWidget &chatWindow, const QString &sender, const QString &line);

// What a data notification does with the text received: a people-online
// list replaces the list, a chat line goes to the log, anything else (and
// anything malformed) is ignored.
void ActOnServerText(QWidget &chatWindow, const QString &text);

} // namespace chat
