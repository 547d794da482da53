// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's 8-bit code page, Windows-1252: one character a byte where
// text crosses the program's boundary (the dictionary file, the chat socket).

#include <QByteArray>
#include <QString>

namespace core::CodePage {

QString toText(const QByteArray &bytes);
// Characters the code page lacks become "?".
QByteArray toBytes(const QString &text);

} // namespace core::CodePage
