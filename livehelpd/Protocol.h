// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The bytes the Live Help server reads and writes. Messages are fields
// joined by "|", one message per write, no terminator. Text is single-byte
// (the clients' Windows code page) and is never decoded: every byte that is
// not replaced below travels unchanged.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace livehelpd::protocol {

inline constexpr char Separator = '|';
inline constexpr char NameReplacement = '_';

// The user name carried by a connection's first chunk: what follows
// "name|", or the whole chunk when that prefix is missing. Unsanitised.
QByteArray nameFromChunk(QByteArrayView chunk);

// A name that cannot split a user list or disturb a terminal: "|" and
// control bytes (below 0x20 and 0x7F) become NameReplacement, and the name
// is cut to maxBytes. Every other byte is kept as it is.
QByteArray sanitiseName(QByteArrayView name, qsizetype maxBytes);

// Whether a chunk begins a message a client sends: "name|" or "text|".
bool beginsMessage(QByteArrayView chunk);

// The line of a chunk "text|" + line, or nothing for any other chunk.
bool lineFromChunk(QByteArrayView chunk, QByteArrayView *line);

// "cons|" followed by each name and "|".
QByteArray userListMessage(const QList<QByteArray> &names);

// "text|" sender "|" line.
QByteArray chatLineMessage(QByteArrayView sender, QByteArrayView line);

} // namespace livehelpd::protocol
