// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Live Help protocol: plain text, fields joined by "|", one message per
// send, no terminator. The client says its name once and then sends one line
// message per Enter; the server sends people-online lists and chat lines.

#include <QString>
#include <QStringList>
#include <variant>

namespace chat {

inline constexpr quint16 ChatServerPort = 8765;

QString FormatNameMessage(const QString &name); // "name|" + name
QString FormatTextMessage(const QString &line); // "text|" + line

// "cons|Ann|Bob|": the complete list of people online.
struct UserList {
    QStringList names;
    friend bool operator==(const UserList &, const UserList &) = default;
};

// "text|Ann|hello": one chat line from a sender.
struct ChatLine {
    QString sender;
    QString line;
    friend bool operator==(const ChatLine &, const ChatLine &) = default;
};

// Anything else.
struct Ignored {
    friend bool operator==(const Ignored &, const Ignored &) = default;
};

using ServerMessage = std::variant<UserList, ChatLine, Ignored>;

// One received chunk as one message. Raises RunTimeError 9 for an empty text
// and for a chat line with fewer than three fields.
ServerMessage ParseServerMessage(const QString &text);

} // namespace chat
