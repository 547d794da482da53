// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chat/Protocol.h"

#include "core/RunTimeError.h"

namespace chat {

QString FormatNameMessage(const QString &name) { return QStringLiteral("name|") + name; }

QString FormatTextMessage(const QString &line) { return QStringLiteral("text|") + line; }

ServerMessage ParseServerMessage(const QString &text)
{
    // Every "|" separates, so "cons|Ann|" has three fields, the last empty.
    const QStringList fields = text.isEmpty() ? QStringList() : text.split(QLatin1Char('|'));
    const auto field = [&fields](qsizetype i) -> const QString & {
        if (i >= fields.size())
            throw core::RunTimeError::subscriptOutOfRange();
        return fields[i];
    };

    const QString &kind = field(0);
    if (kind == QLatin1String("cons")) {
        // The list is expected to end with "|": its last field is never a name.
        return UserList{fields.size() > 2 ? fields.mid(1, fields.size() - 2) : QStringList()};
    }
    if (kind == QLatin1String("text"))
        return ChatLine{field(1), field(2)}; // a line holding "|" shows up to it
    return Ignored{};
}

} // namespace chat
