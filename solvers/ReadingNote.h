// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

namespace solvers {

// What the loose reading made of a box's text, in plain words, when it left
// part of the text unread: Read as 2 — ",5" was not read (use "." for
// decimals). Empty when the whole text was read (blanks around it aside).
QString readingNote(QStringView text);

} // namespace solvers
