// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The physics dictionary file beside the program: where it is, how its bytes
// become text, and reading it whole.

#include <QByteArray>
#include <QString>

namespace dictionary {

inline constexpr char FileName[] = "physicsdicionary2.txt";

// The file in the program's folder; when there is none there, the installed
// one in ../share/fyzorin/ beside that folder, if it exists. A folder at a
// filesystem root is fine.
QString dictionaryPath(const QString &programFolder);

// UTF-8 when the bytes start with its byte-order mark, or are valid UTF-8
// with characters beyond ASCII; otherwise Windows-1252, one character a byte.
// Line ends (CR LF, and lone CR or LF) become line breaks. A NUL byte is kept.
QString decodeDictionary(const QByteArray &bytes);

// The whole file as text; RunTimeError 53 when it is missing, 75 when it
// cannot be opened, 57 when reading fails.
QString readDictionary(const QString &programFolder);

} // namespace dictionary
